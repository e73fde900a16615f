#pragma once

#include <QString>
#include <QStringList>

// The tables a SELECT reads from, found in its FROM clause. A row set writes back only when
// the statement reads one table plainly (no join, no DISTINCT, GROUP BY or UNION).
class SelectSource {
public:
    static SelectSource of(const QString& sql);

    QStringList tables() const { return tables_; }
    // The one table rows can be written back to; empty when there is none.
    QString writableTable() const;

private:
    QStringList tables_;
    bool plain_ = false;
};
