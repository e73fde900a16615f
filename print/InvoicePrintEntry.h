#pragma once

#include "InvoicePrintInput.h"
#include "PrintLayout.h"
#include "PrintStaging.h"
#include "ReportLayout.h"

#include <QPointF>

// The steps of one print or adjust entry up to the preview or designer:
//   1. fill the staging cells from the lines and totals,
//   2. load the layout file (replacing everything the layout held),
//   3. write the 94 text fields,
//   4. load and show or hide the background picture.
// Any failure throws DbError and stops there; the staging cells stay as far as they were
// filled, so the staging window shows the same state as the failed command left.
class InvoicePrintEntry {
public:
    static ReportLayout prepare(const QString& layoutPath, const InvoicePrintInput& input,
                                PrintStaging& staging);

    // The command line's "print --layout p108|pa4108|p84|pa484 --pdf FILE": the steps above on
    // the layout file in dataFolder, then the PDF, moved by the printer offset when one is given.
    static void printToPdf(PrintLayout::Id layout, const InvoicePrintInput& input,
                           const QString& dataFolder, const QString& pdfPath,
                           QPointF offsetMm = {});
};
