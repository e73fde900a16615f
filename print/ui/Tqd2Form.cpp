#include "Tqd2Form.h"

Tqd2Form::Tqd2Form(QWidget* parent)
    : SampleListWindow(SampleListPicture::Form::GoodsAndServices, parent) {
    setObjectName(QStringLiteral("qd2Form"));
}
