#pragma once

#include "RenderedPage.h"

#include <QPointF>

class QPrinter;

// Prints rendered pages on a printer over the whole sheet (full page, margins zeroed), each page
// with its own paper size, moved by the printer's offset. Throws DbError when the printer
// cannot start.
class PrinterOutput {
public:
    static void print(const QList<RenderedPage>& pages, QPrinter& printer, QPointF offsetMm = {});
};
