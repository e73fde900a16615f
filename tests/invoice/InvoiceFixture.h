#pragma once

#include "Database.h"
#include "RowSet.h"

#include <QDate>
#include <QTemporaryDir>
#include <QVariantHash>
#include <memory>

// A fresh kolu.mdb in a temporary folder with the two row sets of the main window.
class InvoiceFixture {
public:
    InvoiceFixture();

    QSqlDatabase db() const { return database->connection(); }
    // Writes a header with the given column values; returns its cid.
    qint64 addHeader(qint64 cid, const QVariantHash& columns = {});
    // Writes a line of invoice `cid`; returns its id.
    qint64 addLine(qint64 cid, const QVariantHash& columns = {});
    // Values of one column of the database rows selected by `where`, in id/cid order.
    QVariantList column(const QString& table, const QString& column,
                        const QString& where = QStringLiteral("1=1"));
    int count(const QString& table, const QString& where = QStringLiteral("1=1"));
    // cids of titleqry's rows, in list order.
    QList<qint64> listedCids() const;

    QTemporaryDir dir;
    std::unique_ptr<Database> database;
    std::unique_ptr<RowSet> titleqry;
    std::unique_ptr<RowSet> detailqry;

private:
    qint64 insert(const QString& table, const QVariantHash& columns);
};
