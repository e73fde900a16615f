#include "Tqd3Form.h"

Tqd3Form::Tqd3Form(QWidget* parent)
    : SampleListWindow(SampleListPicture::Form::TaxableGoods, parent) {
    setObjectName(QStringLiteral("qd3Form"));
}
