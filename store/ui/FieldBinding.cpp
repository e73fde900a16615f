#include "FieldBinding.h"

FieldBinding::FieldBinding(QObject* owner, std::function<void()> refresh)
    : QObject(owner), refresh_(std::move(refresh)) {}

void FieldBinding::bind(RowSet* rowSet, const QString& column) {
    disconnect(dataConnection_);
    rowSet_ = rowSet;
    column_ = column;
    if (rowSet_) {
        dataConnection_ = connect(rowSet_, &RowSet::dataChanged, this, [this](const QString& c) {
            if (c.isEmpty() || c == column_)
                refresh_();
        });
    }
    refresh_();
}

QVariant FieldBinding::value() const {
    if (!rowSet_ || !rowSet_->isOpen() || rowSet_->currentRow() < 0)
        return {};
    return rowSet_->value(column_);
}

int FieldBinding::columnType() const {
    return rowSet_ ? rowSet_->columnType(column_) : int(QMetaType::QString);
}

void FieldBinding::startEditing() {
    if (rowSet_ && !rowSet_->isEditing())
        rowSet_->edit();
}

void FieldBinding::assign(const QVariant& value) {
    if (rowSet_)
        rowSet_->setValue(column_, value);
}
