#include "Tqd1Form.h"

Tqd1Form::Tqd1Form(QWidget* parent)
    : SampleListWindow(SampleListPicture::Form::GoodsAndServices, parent) {
    setObjectName(QStringLiteral("qd1Form"));
}
