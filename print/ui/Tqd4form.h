#pragma once

#include "SampleListWindow.h"

// Sample of the 增值税专用发票销货清单.
class Tqd4form : public SampleListWindow {
    Q_OBJECT
public:
    explicit Tqd4form(QWidget* parent = nullptr);
};
