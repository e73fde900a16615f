#pragma once

#include <QObject>
#include <QPointer>
#include <QVariant>
#include <functional>

#include "RowSet.h"

// Ties one control to one column of a row set's current row: calls `refresh` whenever the
// control must show the row's value again (row moved, reloaded, or that column assigned).
class FieldBinding : public QObject {
    Q_OBJECT
public:
    FieldBinding(QObject* owner, std::function<void()> refresh);

    void bind(RowSet* rowSet, const QString& column);
    RowSet* rowSet() const { return rowSet_; }
    QString column() const { return column_; }
    bool isBound() const { return rowSet_ && rowSet_->isOpen() && rowSet_->currentRow() >= 0; }
    QVariant value() const;
    int columnType() const;
    // Puts the row into editing (or inserting when empty) before the user changes anything.
    void startEditing();
    void assign(const QVariant& value);

private:
    QPointer<RowSet> rowSet_;
    QString column_;
    std::function<void()> refresh_;
    QMetaObject::Connection dataConnection_;
};
