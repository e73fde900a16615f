#pragma once

#include "SampleListWindow.h"

// Sample of the 增值税应税货物或劳务销货清单.
class Tqd3Form : public SampleListWindow {
    Q_OBJECT
public:
    explicit Tqd3Form(QWidget* parent = nullptr);
};
