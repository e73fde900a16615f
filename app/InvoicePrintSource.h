#pragma once

#include "InvoicePrintInput.h"

#include <QSqlDatabase>

class RowSet;

// Gathers what an invoice print needs: from the line row set as the editor holds it, or, for
// the command line, from an invoice as stored.
namespace InvoicePrintSource {

// The lines in the line editor's order. Walks the row set from the first line to the last, so
// an edit in progress is posted and the last line is current afterwards.
QList<PrintLine> readLines(RowSet& detailqry);

// The stored invoice `cid`, its lines, the background picture path and flag.
InvoicePrintInput fromDatabase(QSqlDatabase db, qint64 cid);
// The cid of the invoice with this number; DbError when there is none or more than one.
qint64 cidOfInvoiceNumber(QSqlDatabase db, const QString& number);

} // namespace InvoicePrintSource
