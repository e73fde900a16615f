#include "PrinterOutput.h"

#include "DbError.h"
#include "PagePainter.h"

#include <QPainter>
#include <QPrinter>

void PrinterOutput::print(const QList<RenderedPage>& pages, QPrinter& printer, QPointF offsetMm) {
    if (pages.isEmpty())
        return;
    printer.setFullPage(true);
    printer.setPageLayout(PagePainter::pageLayout(pages.first()));
    QPainter painter;
    if (!painter.begin(&printer))
        throw DbError(QStringLiteral("无法开始打印到“%1”。").arg(printer.printerName()));
    for (int i = 0; i < pages.size(); ++i) {
        if (i > 0) {
            printer.setPageLayout(PagePainter::pageLayout(pages.at(i)));
            printer.newPage();
        }
        PagePainter::paint(painter, pages.at(i), offsetMm);
    }
    painter.end();
}
