#pragma once

#include <QPointer>
#include <QVector>
#include <QWidget>
#include <optional>

#include "GridColumn.h"
#include "RowSet.h"

class QTableView;
class RowSetModel;
class GridFooter;
class CellDelegate;
class FindDialog;
class TitledProxyModel;

// A grid over a row set: one line per row, the grid's current line is the row set's current
// row. Offers footer sums, title-click sort markers, tinted alternate rows, a find dialog
// (Ctrl+F), ellipsis buttons, Tab between cells, Ctrl+Delete with confirmation, new rows by
// arrow-down past the last row and by Insert, and drops a new untouched row when the focus
// leaves.
class DataGrid : public QWidget {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);

    void setRowSet(RowSet* rowSet, const QVector<GridColumn>& columns);
    RowSet* rowSet() const { return rowSet_; }
    QTableView* view() const { return view_; }
    const QVector<GridColumn>& columns() const { return columns_; }

    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return readOnly_; }
    // Whether the keyboard may add rows (arrow-down past the end, Insert) and delete them.
    void setRowsEditable(bool editable) { rowsEditable_ = editable; }
    void setFooterVisible(bool visible);
    void setColumnVisible(const QString& field, bool visible);
    bool isColumnVisible(const QString& field) const;

    // Shows one sort marker (or none) and clears the others.
    void setSortMarker(const QString& field, std::optional<Qt::SortOrder> order);
    std::optional<Qt::SortOrder> sortMarker(const QString& field) const;

    // The selected column among the visible ones, 0-based; used by Enter navigation.
    int selectedColumn() const;
    void setSelectedColumn(int visibleIndex);
    int visibleColumnCount() const;

    // Footer value of a Sum column over all rows, as shown.
    QVariant footerSum(const QString& field) const;
    void showFindDialog();
    // Finds the next row after the current one whose shown text contains `text`.
    bool findNext(const QString& text, Qt::CaseSensitivity cs = Qt::CaseInsensitive);

signals:
    void entered(); // the focus came into the grid
    void titleClicked(const QString& field);
    void ellipsisClicked(const QString& field);
    void cellClicked();
    void columnExited();
    void mousePressed();
    void doubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void syncCurrentFromRowSet();
    void onViewCurrentChanged(const QModelIndex& current, const QModelIndex& previous);
    bool handleKey(QKeyEvent* event);
    void refreshFooter();
    void applyEditTriggers();
    void confirmAndDelete();
    int fieldIndex(const QString& field) const;

    QPointer<RowSet> rowSet_;
    QVector<GridColumn> columns_;
    QTableView* view_;
    RowSetModel* model_ = nullptr;
    TitledProxyModel* titles_ = nullptr;
    GridFooter* footer_;
    CellDelegate* delegate_;
    FindDialog* findDialog_ = nullptr;
    bool readOnly_ = false;
    bool rowsEditable_ = true;
    bool syncing_ = false;
    QString markerField_;
    Qt::SortOrder markerOrder_ = Qt::AscendingOrder;
};
