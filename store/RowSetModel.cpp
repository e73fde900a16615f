#include "RowSetModel.h"

#include "RowSet.h"
#include "ValueText.h"

RowSetModel::RowSetModel(RowSet* rowSet, const QStringList& columns, QObject* parent)
    : QAbstractTableModel(parent), rowSet_(rowSet), columns_(columns) {
    if (!rowSet)
        return;
    rows_ = rowSet->isOpen() ? rowSet->rowCount() : 0;
    current_ = rowSet->currentRow();
    connect(rowSet, &RowSet::rowsReset, this, &RowSetModel::reset);
    // The row set has already changed when it tells us; until the views have heard of the
    // change, rows are shown as they were before it.
    connect(rowSet, &RowSet::rowInserted, this, [this](int row) {
        shift_ = {row, +1};
        beginInsertRows({}, row, row);
        ++rows_;
        shift_ = {};
        endInsertRows();
    });
    connect(rowSet, &RowSet::rowsAppended, this, [this](int first, int last) {
        beginInsertRows({}, first, last);
        rows_ += last - first + 1;
        endInsertRows();
    });
    connect(rowSet, &RowSet::rowRemoved, this, [this](int row) {
        shift_ = {row, -1};
        beginRemoveRows({}, row, row);
        --rows_;
        shift_ = {};
        endRemoveRows();
    });
    connect(rowSet, &RowSet::rowUpdated, this, [this](int row) {
        if (row >= 0 && row < rows_ && !columns_.isEmpty())
            emit dataChanged(index(row, 0), index(row, columns_.size() - 1));
    });
    connect(rowSet, &RowSet::dataChanged, this, [this](const QString& column) {
        if (column.isEmpty())
            noteCurrentRow();
    });
    connect(rowSet, &QObject::destroyed, this, &RowSetModel::reset);
}

RowSet* RowSetModel::rowSet() const {
    return rowSet_;
}

QString RowSetModel::columnName(int section) const {
    return columns_.value(section);
}

int RowSetModel::currentRow() const {
    return current_;
}

void RowSetModel::reset() {
    beginResetModel();
    rows_ = rowSet_ && rowSet_->isOpen() ? rowSet_->rowCount() : 0;
    endResetModel();
    noteCurrentRow();
}

void RowSetModel::noteCurrentRow() {
    const int row = rowSet_ && rowSet_->isOpen() ? rowSet_->currentRow() : -1;
    if (row == current_)
        return;
    current_ = row;
    emit currentRowChanged(row);
}

int RowSetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int RowSetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_.size();
}

bool RowSetModel::isYesNo(int section) const {
    return rowSet_ && rowSet_->columnType(columns_.value(section)) == QMetaType::Bool;
}

bool RowSetModel::isCell(const QModelIndex& index) const {
    return index.isValid() && index.model() == this && index.row() < rows_ &&
           index.column() < columns_.size();
}

int RowSetModel::sourceRow(int row) const {
    if (shift_.delta > 0 && row >= shift_.row)
        return row + 1;
    if (shift_.delta < 0 && row >= shift_.row)
        return row == shift_.row ? -1 : row - 1;
    return row;
}

QVariant RowSetModel::data(const QModelIndex& index, int role) const {
    if (!isCell(index) || !rowSet_ || !rowSet_->hasColumn(columns_[index.column()]))
        return {};
    const QVariant v = rowSet_->value(sourceRow(index.row()), columns_[index.column()]);
    if (isYesNo(index.column())) {
        if (role == Qt::CheckStateRole)
            return v.toBool() ? Qt::Checked : Qt::Unchecked;
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return ValueText::display(v);
    return {};
}

QVariant RowSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < columns_.size())
        return columns_[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags RowSetModel::flags(const QModelIndex& index) const {
    if (!isCell(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (rowSet_ && rowSet_->isColumnWritable(columns_[index.column()]))
        f |= isYesNo(index.column()) ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable;
    return f;
}

bool RowSetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!isCell(index) || !rowSet_)
        return false;
    const QString column = columns_[index.column()];
    QVariant typed;
    if (role == Qt::CheckStateRole && isYesNo(index.column()))
        typed = value.toInt() == Qt::Checked;
    else if (role == Qt::EditRole && value.typeId() == QMetaType::QString)
        typed = ValueText::parse(value.toString(), rowSet_->columnType(column));
    else if (role == Qt::EditRole)
        typed = value;
    else
        return false;
    rowSet_->moveTo(index.row());
    rowSet_->setValue(column, typed);
    return true;
}
