#pragma once

#include "ReportObject.h"

#include <QList>
#include <QSizeF>

// One page of a print layout: its paper and the objects on it, in drawing order.
//
// paperWidth/paperHeight are the page as it is printed (landscape pages are wider than high);
// orientation only tells the printer how to feed the sheet. All lengths are tenths of a mm.
// Objects are placed from the margin corner: with marginLeft = -120 (-12 mm) an object at
// left = 1650 (165 mm) prints 153 mm from the paper's left edge. Margins may be negative.
class ReportPage {
public:
    enum class Orientation { Portrait, Landscape };

    QString name = QStringLiteral("Page1");
    int paperWidth = 2100; // A4 by default
    int paperHeight = 2970;
    Orientation orientation = Orientation::Portrait;
    int marginLeft = 100;
    int marginTop = 100;
    int marginRight = 100;
    int marginBottom = 100;
    QList<ReportObject> objects;

    QSizeF paperSizeMm() const { return QSizeF(paperWidth / 10.0, paperHeight / 10.0); }

    bool operator==(const ReportPage&) const = default;
};
