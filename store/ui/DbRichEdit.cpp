#include "DbRichEdit.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QRegularExpression>
#include <QTextDocumentFragment>

DbRichEdit::DbRichEdit(QWidget* parent)
    : QTextEdit(parent), binding_(new FieldBinding(this, [this] { showValue(); })) {
    setLineWrapMode(QTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    setFixedHeight(sizeHint().height());
    connect(this, &QTextEdit::textChanged, this, [this] {
        if (!showing_)
            dirty_ = true;
    });
}

QSize DbRichEdit::sizeHint() const {
    return {200, fontMetrics().height() + 10};
}

void DbRichEdit::bind(RowSet* rowSet, const QString& column) {
    disconnect(postConnection_);
    if (rowSet)
        postConnection_ = connect(rowSet, &RowSet::aboutToPost, this, &DbRichEdit::writeBack);
    binding_->bind(rowSet, column);
}

void DbRichEdit::showValue() {
    showing_ = true;
    setPlainText(binding_->value().toString());
    showing_ = false;
    dirty_ = false;
}

void DbRichEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore(); // one line only
        return;
    }
    if (!isReadOnly() && binding_->isBound() && !event->text().isEmpty())
        binding_->startEditing();
    QTextEdit::keyPressEvent(event);
}

void DbRichEdit::insertFromMimeData(const QMimeData* source) {
    if (binding_->isBound())
        binding_->startEditing();
    QString text = source->hasHtml() ? QTextDocumentFragment::fromHtml(source->html()).toPlainText()
                                     : source->text();
    text.replace(QRegularExpression(QStringLiteral("[\r\n\u2028]+")), QStringLiteral(" "));
    QMimeData plain;
    plain.setText(text);
    QTextEdit::insertFromMimeData(&plain);
}

void DbRichEdit::focusOutEvent(QFocusEvent* event) {
    QTextEdit::focusOutEvent(event);
    writeBack();
}

void DbRichEdit::writeBack() {
    RowSet* rs = binding_->rowSet();
    if (!dirty_ || !rs || !rs->isEditing())
        return;
    dirty_ = false;
    const QString text = toPlainText();
    if (binding_->value().toString() != text || binding_->value().isNull() != text.isEmpty())
        binding_->assign(text.isEmpty() ? QVariant() : QVariant(text));
}
