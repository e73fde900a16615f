#include "InvoiceWriter.h"

#include "ChineseDate.h"
#include "DbError.h"
#include "SqlCommand.h"
#include "SqlDialect.h"
#include "ValueCodec.h"
#include "WriteTransaction.h"

#include <QSqlQuery>
#include <QSqlRecord>

qint64 InvoiceWriter::addHeader(const QString& number, const QDate& date) {
    WriteTransaction transaction(db_);
    const qint64 cid = nextCid();
    SqlCommand::run(
        db_,
        QStringLiteral("insert into title (cid, 发票号码, 开票日期, 中文日期, 是否收款, "
                       "含税单价, 是否打印格式) values (?, ?, ?, ?, ?, ?, ?)"),
        {cid, number, stored(date), ChineseDate(date), stored(false), stored(false),
         stored(false)});
    transaction.commit();
    return cid;
}

qint64 InvoiceWriter::copy(qint64 cid, const QString& number) {
    const QString headerColumns = columnList(QStringLiteral("title"), {QStringLiteral("cid")});
    const QString lineColumns =
        columnList(QStringLiteral("detail"), {QStringLiteral("id"), QStringLiteral("cid")});
    WriteTransaction transaction(db_);
    const qint64 newCid = nextCid();
    SqlCommand::run(
        db_,
        QStringLiteral("insert into title (cid, %1) select ?, %1 from title where cid = ?")
            .arg(headerColumns),
        {newCid, cid});
    SqlCommand::run(db_,
                    QStringLiteral("update title set 发票号码 = ?, 是否收款 = ? where cid = ?"),
                    {number, stored(false), newCid});
    // Inserted in line order, so the new ids keep the order of the lines.
    SqlCommand::run(db_,
                    QStringLiteral("insert into detail (cid, %1) select ?, %1 from detail where "
                                   "cid = ? order by id")
                        .arg(lineColumns),
                    {newCid, cid});
    transaction.commit();
    return newCid;
}

void InvoiceWriter::remove(qint64 cid) {
    WriteTransaction transaction(db_);
    SqlCommand::run(db_, QStringLiteral("delete from detail where cid = ?"), {cid});
    SqlCommand::run(db_, QStringLiteral("delete from title where cid = ?"), {cid});
    transaction.commit();
}

qint64 InvoiceWriter::nextCid() const {
    QSqlQuery q =
        SqlCommand::run(db_, QStringLiteral("select coalesce(max(cid), 0) + 1 from title"));
    if (!q.next())
        throw DbError(QStringLiteral("无法为新发票分配编号。"));
    return q.value(0).toLongLong();
}

QString InvoiceWriter::columnList(const QString& table, const QStringList& except) const {
    const SqlDialect dialect = SqlDialect::forDatabase(db_);
    const QSqlRecord record = db_.record(table);
    if (record.isEmpty())
        throw DbError(QStringLiteral("数据库中没有表 %1。").arg(table));
    QStringList names;
    for (int i = 0; i < record.count(); ++i)
        if (!except.contains(record.fieldName(i), Qt::CaseInsensitive))
            names << dialect.quoteName(record.fieldName(i));
    return names.join(QStringLiteral(", "));
}

QVariant InvoiceWriter::stored(const QVariant& value) const {
    return ValueCodec::toStorage(value, SqlDialect::forDatabase(db_).engine());
}
