#pragma once

#include <QComboBox>
#include <QPointer>

#include "RowSet.h"

// A drop-down listing the key column of a row set. Choosing a name makes the first row with
// that key the list's current row and emits `picked`.
class DbLookupComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit DbLookupComboBox(QWidget* parent = nullptr);
    void setListSource(RowSet* list, const QString& keyColumn);
    // Shows `key` when a row has it (making that row current), otherwise shows nothing.
    void setKeyValue(const QVariant& key);
    QVariant keyValue() const;
    void setDropDownWidth(int pixels);

signals:
    void picked(const QVariant& key);

private:
    void fillItems();
    int firstRowWithKey(const QVariant& key) const;

    QPointer<RowSet> list_;
    QString keyColumn_;
    QVariant key_;
};
