#pragma once

#include "SampleListWindow.h"

// Sample of the 销售货物或者提供应税劳务清单 (A4); the same picture as Tqd1Form.
class Tqd2Form : public SampleListWindow {
    Q_OBJECT
public:
    explicit Tqd2Form(QWidget* parent = nullptr);
};
