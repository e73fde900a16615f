#include "PrinterOffsets.h"

#include "DbError.h"
#include "SqlCommand.h"
#include "SqlDialect.h"
#include "WriteTransaction.h"

#include <QSqlQuery>

namespace {

QString table(const SqlDialect& dialect) {
    return dialect.quoteName(QString::fromUtf8(PrinterOffsets::Table));
}

} // namespace

// A printer without a name (printing to a file) is kept under the empty name, not as null.

QPointF PrinterOffsets::offsetFor(const QString& printerName) const {
    if (!available())
        return {};
    const SqlDialect dialect = SqlDialect::forDatabase(db_);
    QSqlQuery q =
        SqlCommand::run(db_,
                        QStringLiteral("SELECT %1, %2 FROM %3 WHERE %4 = COALESCE(?, '')")
                            .arg(dialect.quoteName(QStringLiteral("水平")),
                                 dialect.quoteName(QStringLiteral("垂直")), table(dialect),
                                 dialect.quoteName(QStringLiteral("打印机"))),
                        {printerName});
    return q.next() ? QPointF(q.value(0).toDouble(), q.value(1).toDouble()) : QPointF();
}

void PrinterOffsets::setOffset(const QString& printerName, QPointF offsetMm) {
    if (!available())
        throw DbError(
            QStringLiteral("数据库没有打开，无法保存打印机“%1”的打印偏移。").arg(printerName));
    const SqlDialect dialect = SqlDialect::forDatabase(db_);
    const QString printerColumn = dialect.quoteName(QStringLiteral("打印机"));
    WriteTransaction transaction(db_);
    SqlCommand::run(db_,
                    QStringLiteral("DELETE FROM %1 WHERE %2 = COALESCE(?, '')")
                        .arg(table(dialect), printerColumn),
                    {printerName});
    SqlCommand::run(db_,
                    QStringLiteral("INSERT INTO %1 (%2, %3, %4) VALUES (COALESCE(?, ''), ?, ?)")
                        .arg(table(dialect), printerColumn,
                             dialect.quoteName(QStringLiteral("水平")),
                             dialect.quoteName(QStringLiteral("垂直"))),
                    {printerName, offsetMm.x(), offsetMm.y()});
    transaction.commit();
}
