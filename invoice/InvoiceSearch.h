#pragma once

#include <QString>
#include <QStringList>

class RowSet;

// The invoice search of the register: an invoice is listed when its number, buyer name, buyer
// bank, buyer address, buyer tax number, payee or remark contains the typed text. The text is
// taken as typed: "%" and "_" act as wildcards, and a null column never matches.
namespace InvoiceSearch {

// The list before anything is searched: every invoice, newest first.
QString initialSql();

// The SQL lines of the search, in order; parameters are named by parameterNames().
QStringList sqlLines();
QStringList parameterNames();
QStringList searchedColumns();

// "%" + text + "%", untrimmed and unescaped.
QString pattern(const QString& text);

// Closes the list, puts in the search SQL with the pattern of `text` in every parameter and
// opens it again; the first match becomes current.
void run(RowSet& titleqry, const QString& text);

} // namespace InvoiceSearch
