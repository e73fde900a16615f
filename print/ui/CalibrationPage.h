#pragma once

#include "RenderedPage.h"

// A millimetre grid over the whole sheet to print and lay against a pre-printed form: fine lines
// every millimetre, stronger every 5 mm, black every 10 mm with their distance from the paper's
// edge written beside them (along the top and left edges and again every 50 mm, in case the
// printer cannot reach the edges). Measuring where a labelled line lands gives the offset.
class CalibrationPage {
public:
    static RenderedPage make(QSizeF paperMm);
};
