#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantHash>
#include <optional>

class RowSet;

// The invoice search of the register: an invoice is listed when its number, buyer name, buyer
// bank, buyer address, buyer tax number, payee or remark contains the typed text. The text is
// taken as typed: "%" and "_" act as wildcards, SQL's LIKE ignores the case of ASCII letters,
// and a null column never matches.
//
// On a large list a full-text index of those seven columns (three-character pieces) first
// narrows the invoices down to those holding every stretch of three or more characters the
// text has between wildcards; the same LIKE test then decides, so the result is the same as
// without the index. Texts without such a stretch use the LIKE test alone.
namespace InvoiceSearch {

// The list before anything is searched: every invoice, newest first.
QString initialSql();

// The plain search: four SQL lines, parameters named by parameterNames().
QStringList sqlLines();
QStringList parameterNames();
QStringList searchedColumns();
// The search narrowed by the index through the extra parameter indexParameter().
QStringList indexedSqlLines();
QString indexParameter();
QString indexTable();

// "%" + text + "%", untrimmed and unescaped.
QString pattern(const QString& text);
// The index query for `text`, or nothing when the index cannot narrow it.
std::optional<QString> indexQuery(const QString& text);
bool indexAvailable(const QSqlDatabase& db);

// The SQL lines and parameter values for searching `text` in `db`.
struct Statement {
    QStringList lines;
    QVariantHash params;
};
Statement statement(const QSqlDatabase& db, const QString& text);

// Closes the list, puts in the search SQL and its parameters and opens it again; the first
// match becomes current.
void run(RowSet& titleqry, const QSqlDatabase& db, const QString& text);

} // namespace InvoiceSearch
