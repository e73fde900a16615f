#include "InvoiceFixture.h"

#include "InvoiceSearch.h"
#include "SqlCommand.h"
#include "SqlDialect.h"
#include "ValueCodec.h"

#include <QSqlQuery>

InvoiceFixture::InvoiceFixture()
    : database(std::make_unique<Database>(dir.path())),
      titleqry(std::make_unique<RowSet>(db(), InvoiceSearch::initialSql())),
      detailqry(
          std::make_unique<RowSet>(db(), QStringLiteral("select * from detail where cid=:cid"))) {
    detailqry->setMaster(titleqry.get(), QStringLiteral("cid"), QStringLiteral("cid"),
                         QStringLiteral("cid"));
}

qint64 InvoiceFixture::addHeader(qint64 cid, const QVariantHash& columns) {
    QVariantHash all = columns;
    all.insert(QStringLiteral("cid"), cid);
    insert(QStringLiteral("title"), all);
    return cid;
}

qint64 InvoiceFixture::addLine(qint64 cid, const QVariantHash& columns) {
    QVariantHash all = columns;
    all.insert(QStringLiteral("cid"), cid);
    return insert(QStringLiteral("detail"), all);
}

qint64 InvoiceFixture::insert(const QString& table, const QVariantHash& columns) {
    const auto dialect = SqlDialect::forDatabase(db());
    QStringList names;
    QVariantList values;
    for (auto it = columns.begin(); it != columns.end(); ++it) {
        names << it.key();
        values << ValueCodec::toStorage(it.value(), dialect.engine());
    }
    QSqlQuery q = SqlCommand::run(db(), dialect.insertStatement(table, names), values);
    return q.lastInsertId().toLongLong();
}

QVariantList InvoiceFixture::column(const QString& table, const QString& column,
                                    const QString& where) {
    const QString order =
        table == QStringLiteral("detail") ? QStringLiteral("id") : QStringLiteral("cid");
    QSqlQuery q = SqlCommand::run(
        db(),
        QStringLiteral("select %1 from %2 where %3 order by %4").arg(column, table, where, order));
    QVariantList values;
    while (q.next())
        values << q.value(0);
    return values;
}

int InvoiceFixture::count(const QString& table, const QString& where) {
    QSqlQuery q =
        SqlCommand::run(db(), QStringLiteral("select count(*) from %1 where %2").arg(table, where));
    return q.next() ? q.value(0).toInt() : -1;
}

QList<qint64> InvoiceFixture::listedCids() const {
    QList<qint64> cids;
    for (int row = 0; row < titleqry->rowCount(); ++row)
        cids << titleqry->value(row, QStringLiteral("cid")).toLongLong();
    return cids;
}
