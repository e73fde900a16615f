#include "DbLookupComboBox.h"

#include "ValueText.h"

#include <QAbstractItemView>

DbLookupComboBox::DbLookupComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    connect(this, &QComboBox::activated, this, [this](int index) {
        const QVariant key = itemData(index);
        setKeyValue(key);
        emit picked(key);
    });
}

void DbLookupComboBox::setListSource(RowSet* list, const QString& keyColumn) {
    if (list_)
        disconnect(list_, nullptr, this, nullptr);
    list_ = list;
    keyColumn_ = keyColumn;
    if (list_) {
        for (auto signal : {&RowSet::rowInserted, &RowSet::rowRemoved, &RowSet::rowUpdated})
            connect(list_, signal, this, &DbLookupComboBox::fillItems);
        connect(list_, &RowSet::rowsReset, this, &DbLookupComboBox::fillItems);
    }
    fillItems();
}

void DbLookupComboBox::fillItems() {
    const QSignalBlocker blocker(this);
    clear();
    if (list_ && list_->isOpen()) {
        for (int row = 0; row < list_->rowCount(); ++row) {
            const QVariant key = list_->value(row, keyColumn_);
            addItem(ValueText::display(key), key);
        }
    }
    const int row = key_.isValid() ? firstRowWithKey(key_) : -1;
    setCurrentIndex(row);
}

int DbLookupComboBox::firstRowWithKey(const QVariant& key) const {
    if (!list_ || !list_->isOpen())
        return -1;
    for (int row = 0; row < list_->rowCount(); ++row)
        if (list_->value(row, keyColumn_) == key)
            return row;
    return -1;
}

void DbLookupComboBox::setKeyValue(const QVariant& key) {
    key_ = key;
    const int row = firstRowWithKey(key);
    if (row >= 0 && list_->currentRow() != row)
        list_->moveTo(row);
    const QSignalBlocker blocker(this);
    setCurrentIndex(row);
}

QVariant DbLookupComboBox::keyValue() const {
    return currentIndex() >= 0 ? key_ : QVariant();
}

void DbLookupComboBox::setDropDownWidth(int pixels) {
    view()->setMinimumWidth(pixels);
}
