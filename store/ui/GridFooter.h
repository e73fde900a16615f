#pragma once

#include <QVector>
#include <QWidget>

#include "GridColumn.h"

class QTableView;

// The footer row under a grid: per column a fixed text or a sum, drawn under its column.
class GridFooter : public QWidget {
    Q_OBJECT
public:
    GridFooter(QTableView* view, QWidget* parent);
    void setColumns(const QVector<GridColumn>& columns);
    void setTexts(const QVector<QString>& texts); // one per column, shown where footer != None
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTableView* view_;
    QVector<GridColumn> columns_;
    QVector<QString> texts_;
};
