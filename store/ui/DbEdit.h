#pragma once

#include <QLineEdit>

#include "FieldBinding.h"

// A one-line edit showing a column of the current row. Typing starts editing the row; the text
// (typed, or put in by the program) goes into the column when the row is posted while editing.
class DbEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DbEdit(QWidget* parent = nullptr);
    void bind(RowSet* rowSet, const QString& column);
    const FieldBinding& binding() const { return *binding_; }

signals:
    // The row's value was shown again (another row became current, a reload, an assignment),
    // also when the text stayed the same.
    void valueShown();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void showValue();
    void onTextChanged();
    void writeBack();

    FieldBinding* binding_;
    bool showing_ = false;
    bool dirty_ = false;
    QMetaObject::Connection postConnection_;
};
