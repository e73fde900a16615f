#pragma once

#include "SampleListWindow.h"

// Sample of the 销售货物或者提供应税劳务清单 (24 × 28 cm punched paper).
class Tqd1Form : public SampleListWindow {
    Q_OBJECT
public:
    explicit Tqd1Form(QWidget* parent = nullptr);
};
