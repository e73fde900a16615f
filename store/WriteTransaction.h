#pragma once

#include <QSqlDatabase>
#include <QString>

// A write transaction that holds the write lock from its start. Commit explicitly; leaving the
// scope without commit() rolls back. A transaction opened while another one of the same
// connection is running joins the outer one.
class WriteTransaction {
public:
    explicit WriteTransaction(const QSqlDatabase& db);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    void commit();

private:
    QSqlDatabase db_;
    bool outermost_ = false;
    bool done_ = false;
};
