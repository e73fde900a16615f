#include "InvoicePrintEntry.h"

#include "InvoiceFieldMap.h"
#include "InvoiceFields.h"
#include "PdfOutput.h"
#include "ReportRenderer.h"

ReportLayout InvoicePrintEntry::prepare(const QString& layoutPath, const InvoicePrintInput& input,
                                        PrintStaging& staging) {
    staging.FillPrintStaging(input.lines, input.totals);
    ReportLayout layout;
    layout.LoadFromFile(layoutPath);
    FillInvoiceFields(layout, InvoiceFieldMap::fieldTexts(input.header, staging));
    ApplyBackgroundPicture(layout, {input.backgroundPicturePath, input.printBackground});
    return layout;
}

void InvoicePrintEntry::printToPdf(PrintLayout::Id layout, const InvoicePrintInput& input,
                                   const QString& dataFolder, const QString& pdfPath,
                                   QPointF offsetMm) {
    PrintStaging staging;
    const ReportLayout filled = prepare(PrintLayout::path(layout, dataFolder), input, staging);
    PdfOutput::write(ReportRenderer::render(filled), pdfPath, offsetMm);
}
