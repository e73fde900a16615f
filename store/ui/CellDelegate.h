#pragma once

#include <QHash>
#include <QSet>
#include <QStyledItemDelegate>

// Draws cells with the column's alignment and, for ellipsis columns, a "…" button at the
// cell's right edge whose click is reported through `ellipsisClicked`.
class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void setColumnAlignment(int column, Qt::Alignment alignment, bool ellipsis);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

signals:
    void ellipsisClicked(const QModelIndex& index);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    static QRect buttonRect(const QRect& cell);
    QHash<int, Qt::Alignment> alignment_;
    QSet<int> ellipsis_;
};
