#include "Tqd4form.h"

Tqd4form::Tqd4form(QWidget* parent)
    : SampleListWindow(SampleListPicture::Form::SpecialInvoice, parent) {
    setObjectName(QStringLiteral("qd4form"));
}
