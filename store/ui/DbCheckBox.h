#pragma once

#include <QCheckBox>

#include "FieldBinding.h"

// A check box over a yes/no column: a click starts editing the row and assigns True/False at
// once (so handlers hanging on the column run); null shows unticked.
class DbCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit DbCheckBox(const QString& text, QWidget* parent = nullptr);
    void bind(RowSet* rowSet, const QString& column);

signals:
    // The shown state changed, by a click or because another row became current.
    void stateShown(bool checked);

private:
    void showValue();

    FieldBinding* binding_;
    bool showing_ = false;
};
