#pragma once

#include "RenderedPage.h"

#include <QPageLayout>
#include <QPointF>

class QPainter;

// Draws one rendered page on the painter's device: millimetres are converted with the device's
// resolution, the paper's top-left corner is the device's origin, fonts are sized in points.
// offsetMm moves everything (a printer's feed adjustment; positive is right and down).
// Printer, preview widget, PDF writer and picture all go through here.
class PagePainter {
public:
    static void paint(QPainter& painter, const RenderedPage& page, QPointF offsetMm = {});

    // The paper of a rendered page as a page layout with zero margins, for printers and PDF.
    static QPageLayout pageLayout(const RenderedPage& page);
};
