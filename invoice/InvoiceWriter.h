#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>

// Writes whole invoices (header and lines) straight to the database, each in one write
// transaction that takes the write lock before the next cid is read, so two programs adding at
// the same time never hand out the same cid.
class InvoiceWriter {
public:
    explicit InvoiceWriter(QSqlDatabase db) : db_(db) {}

    // A header with the next cid, the number, the date and its Chinese text, flags cleared.
    qint64 addHeader(const QString& number, const QDate& date);
    // Header and lines of `cid` copied under the next cid with the new number, unpaid.
    qint64 copy(qint64 cid, const QString& number);
    // The header `cid` and its lines.
    void remove(qint64 cid);

private:
    qint64 nextCid() const;
    QString columnList(const QString& table, const QStringList& except) const;
    QVariant stored(const QVariant& value) const;

    QSqlDatabase db_;
};
