#include "GridFooter.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>

GridFooter::GridFooter(QTableView* view, QWidget* parent) : QWidget(parent), view_(view) {
    auto repaint = [this] { update(); };
    connect(view_->horizontalHeader(), &QHeaderView::sectionResized, this, repaint);
    connect(view_->horizontalHeader(), &QHeaderView::sectionMoved, this, repaint);
    connect(view_->horizontalHeader(), &QHeaderView::geometriesChanged, this, repaint);
    connect(view_->horizontalScrollBar(), &QAbstractSlider::valueChanged, this, repaint);
}

void GridFooter::setColumns(const QVector<GridColumn>& columns) {
    columns_ = columns;
    texts_.fill(QString(), columns.size());
    update();
}

void GridFooter::setTexts(const QVector<QString>& texts) {
    texts_ = texts;
    update();
}

QSize GridFooter::sizeHint() const {
    return {100, fontMetrics().height() + 8};
}

void GridFooter::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    const QHeaderView* header = view_->horizontalHeader();
    // The footer sits beside the view under one parent: line up with the view's cells.
    const int offset = view_->viewport()->mapTo(parentWidget(), QPoint(0, 0)).x() - x();
    for (int c = 0; c < columns_.size() && c < texts_.size(); ++c) {
        if (header->isSectionHidden(c) || columns_[c].footer == GridColumn::Footer::None)
            continue;
        const QRect cell(offset + header->sectionViewportPosition(c), 0, header->sectionSize(c),
                         height());
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(cell.adjusted(0, 0, -1, -1));
        p.setPen(columns_[c].footerColor);
        p.drawText(cell.adjusted(3, 0, -3, 0), int(columns_[c].footerAlignment | Qt::AlignVCenter),
                   texts_[c]);
    }
}
