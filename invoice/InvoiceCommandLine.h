#pragma once

#include <QSqlDatabase>
#include <QStringList>
#include <QTextStream>

// The invoice commands of the command line. Each returns the process exit code: 0 on success,
// 1 after writing an error to `err`.
namespace InvoiceCommandLine {

// capitals AMOUNT...: each amount in Chinese capitals, one line each, in order. Nothing is
// printed when one of them is not a number.
int capitals(const QStringList& amounts, QTextStream& out, QTextStream& err);

// list [--search TEXT] [--sort COLUMN [--desc]]: the invoices the register lists, one per line,
// tab-separated: cid, 发票号码, 开票日期, 购货单位名称, 小写金额, 是否收款.
int list(QSqlDatabase db, const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace InvoiceCommandLine
