#pragma once

#include <QTextEdit>

#include "FieldBinding.h"

// A one-line rich-text box over a text column. Formatting is for the eye only: the column
// keeps the plain text, which is also what prints.
class DbRichEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit DbRichEdit(QWidget* parent = nullptr);
    void bind(RowSet* rowSet, const QString& column);
    QString plainText() const { return toPlainText(); }
    QSize sizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void showValue();
    void writeBack();

    FieldBinding* binding_;
    bool showing_ = false;
    bool dirty_ = false;
    QMetaObject::Connection postConnection_;
};
