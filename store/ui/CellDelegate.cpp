#include "CellDelegate.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

void CellDelegate::setColumnAlignment(int column, Qt::Alignment alignment, bool ellipsis) {
    alignment_[column] = alignment;
    if (ellipsis)
        ellipsis_.insert(column);
    else
        ellipsis_.remove(column);
}

QRect CellDelegate::buttonRect(const QRect& cell) {
    const int w = qMin(18, cell.width() / 2);
    return QRect(cell.right() - w + 1, cell.top() + 1, w - 1, cell.height() - 2);
}

void CellDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    option->displayAlignment = alignment_.value(index.column(), Qt::AlignCenter) | Qt::AlignVCenter;
}

void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    if (!ellipsis_.contains(index.column())) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem textOption = option;
    textOption.rect.setRight(buttonRect(option.rect).left() - 1);
    QStyledItemDelegate::paint(painter, textOption, index);
    QStyleOptionButton button;
    button.rect = buttonRect(option.rect);
    button.text = QStringLiteral("…");
    button.state = QStyle::State_Enabled | QStyle::State_Raised;
    QApplication::style()->drawControl(QStyle::CE_PushButton, &button, painter);
}

bool CellDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                               const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (ellipsis_.contains(index.column()) && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            buttonRect(option.rect).contains(mouse->position().toPoint())) {
            emit ellipsisClicked(index);
            return true;
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

void CellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    QStyleOptionViewItem o = option;
    if (ellipsis_.contains(index.column()))
        o.rect.setRight(buttonRect(option.rect).left() - 1);
    QStyledItemDelegate::updateEditorGeometry(editor, o, index);
}
