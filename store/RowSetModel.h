#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <QStringList>

class RowSet;

// A table model over a row set for grids: one model column per named row-set column. Edits go
// through RowSet::setValue on the row-set's current row (the row is made current first), so
// the row set's change handlers run as for any other assignment. Yes/no columns are check boxes.
class RowSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    RowSetModel(RowSet* rowSet, const QStringList& columns, QObject* parent = nullptr);

    RowSet* rowSet() const;
    QString columnName(int section) const;
    int currentRow() const; // the row set's current row, -1 when there is none

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    void currentRowChanged(int row);

private:
    struct Shift {
        int row = -1;
        int delta = 0;
    };

    bool isCell(const QModelIndex& index) const;
    int sourceRow(int row) const;
    bool isYesNo(int section) const;
    void reset();
    void noteCurrentRow();

    QPointer<RowSet> rowSet_;
    QStringList columns_;
    int rows_ = 0;
    int current_ = -1;
    Shift shift_;
};
