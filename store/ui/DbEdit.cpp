#include "DbEdit.h"

#include "ValueText.h"

#include <QKeyEvent>

DbEdit::DbEdit(QWidget* parent)
    : QLineEdit(parent), binding_(new FieldBinding(this, [this] { showValue(); })) {
    connect(this, &QLineEdit::textChanged, this, &DbEdit::onTextChanged);
}

void DbEdit::bind(RowSet* rowSet, const QString& column) {
    disconnect(postConnection_);
    if (rowSet)
        postConnection_ = connect(rowSet, &RowSet::aboutToPost, this, &DbEdit::writeBack);
    binding_->bind(rowSet, column);
}

void DbEdit::showValue() {
    showing_ = true;
    setText(ValueText::display(binding_->value()));
    setCursorPosition(0);
    showing_ = false;
    dirty_ = false;
    emit valueShown();
}

void DbEdit::onTextChanged() {
    if (!showing_)
        dirty_ = true;
}

void DbEdit::keyPressEvent(QKeyEvent* event) {
    const bool changesText =
        !isReadOnly() && (!event->text().isEmpty() || event->key() == Qt::Key_Backspace ||
                          event->key() == Qt::Key_Delete);
    if (changesText && binding_->isBound() && event->key() != Qt::Key_Return &&
        event->key() != Qt::Key_Enter && event->key() != Qt::Key_Escape)
        binding_->startEditing();
    QLineEdit::keyPressEvent(event);
}

void DbEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    RowSet* rs = binding_->rowSet();
    if (dirty_ && rs && rs->isEditing())
        writeBack();
}

// Only a row being edited takes the text; a browsing row keeps its value (and the text stays
// pending until the row is edited and posted, or another row replaces it).
void DbEdit::writeBack() {
    RowSet* rs = binding_->rowSet();
    if (!dirty_ || !rs || !rs->isEditing())
        return;
    const QVariant v = ValueText::parse(text(), binding_->columnType());
    dirty_ = false;
    if (v != binding_->value() || v.isNull() != binding_->value().isNull())
        binding_->assign(v);
}
