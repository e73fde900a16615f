#include "DataGrid.h"

#include "CellDelegate.h"
#include "Currency.h"
#include "FindDialog.h"
#include "GridFooter.h"
#include "RowSetModel.h"
#include "TitledProxyModel.h"
#include "ValueText.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTableView>
#include <QVBoxLayout>

DataGrid::DataGrid(QWidget* parent) : QWidget(parent) {
    view_ = new QTableView(this);
    view_->setObjectName(QStringLiteral("view"));
    view_->setAlternatingRowColors(true);
    view_->setSelectionBehavior(QAbstractItemView::SelectItems);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setTabKeyNavigation(true);
    view_->setWordWrap(false);
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 8);
    view_->verticalHeader()->setFixedWidth(14);
    view_->horizontalHeader()->setSectionsClickable(true);
    view_->horizontalHeader()->setHighlightSections(false);
    view_->installEventFilter(this);
    view_->viewport()->installEventFilter(this);
    delegate_ = new CellDelegate(this);
    view_->setItemDelegate(delegate_);
    footer_ = new GridFooter(view_, this);
    footer_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view_);
    layout->addWidget(footer_);
    setFocusProxy(view_);

    connect(view_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        if (section >= 0 && section < columns_.size())
            emit titleClicked(columns_[section].field);
    });
    connect(delegate_, &CellDelegate::ellipsisClicked, this, [this](const QModelIndex& index) {
        emit ellipsisClicked(columns_.value(index.column()).field);
    });
    connect(view_, &QTableView::clicked, this, &DataGrid::cellClicked);
    // The focus entering the grid from another control. Moving between the view and its cell
    // editor is not entering, nor is the focus coming back (from none) as a window reactivates.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (old && now && isAncestorOf(now) && !isAncestorOf(old))
            emit entered();
    });
    connect(view_, &QTableView::doubleClicked, this, &DataGrid::doubleClicked);
    applyEditTriggers();
}

void DataGrid::setRowSet(RowSet* rowSet, const QVector<GridColumn>& columns) {
    if (rowSet_)
        disconnect(rowSet_, nullptr, this, nullptr);
    rowSet_ = rowSet;
    columns_ = columns;
    QStringList fields, titles;
    for (const GridColumn& c : columns) {
        fields << c.field;
        titles << c.shownTitle();
    }
    delete titles_;
    delete model_;
    model_ = new RowSetModel(rowSet, fields, this);
    titles_ = new TitledProxyModel(this);
    titles_->setTitles(titles);
    titles_->setSourceModel(model_);
    view_->setModel(titles_);
    for (int c = 0; c < columns.size(); ++c) {
        view_->setColumnWidth(c, columns[c].width);
        view_->setColumnHidden(c, !columns[c].visible);
        delegate_->setColumnAlignment(c, columns[c].alignment, columns[c].ellipsis);
    }
    footer_->setColumns(columns);
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &DataGrid::onViewCurrentChanged);
    connect(rowSet_, &RowSet::dataChanged, this, [this](const QString& column) {
        if (column.isEmpty())
            syncCurrentFromRowSet();
        refreshFooter();
    });
    connect(rowSet_, &RowSet::rowsReset, this, [this] {
        syncCurrentFromRowSet();
        refreshFooter();
    });
    connect(rowSet_, &RowSet::rowRemoved, this, &DataGrid::refreshFooter);
    connect(rowSet_, &RowSet::rowsAppended, this, &DataGrid::refreshFooter);
    connect(rowSet_, &RowSet::stateChanged, this, &DataGrid::refreshFooter);
    syncCurrentFromRowSet();
    refreshFooter();
}

void DataGrid::applyEditTriggers() {
    view_->setEditTriggers(readOnly_ ? QAbstractItemView::NoEditTriggers
                                     : QAbstractItemView::DoubleClicked |
                                           QAbstractItemView::EditKeyPressed |
                                           QAbstractItemView::AnyKeyPressed);
}

void DataGrid::setReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    applyEditTriggers();
}

void DataGrid::setFooterVisible(bool visible) {
    footer_->setVisible(visible);
}

int DataGrid::fieldIndex(const QString& field) const {
    for (int c = 0; c < columns_.size(); ++c)
        if (columns_[c].field == field)
            return c;
    return -1;
}

void DataGrid::setColumnVisible(const QString& field, bool visible) {
    const int c = fieldIndex(field);
    if (c >= 0) {
        columns_[c].visible = visible;
        view_->setColumnHidden(c, !visible);
        footer_->update();
    }
}

bool DataGrid::isColumnVisible(const QString& field) const {
    const int c = fieldIndex(field);
    return c >= 0 && !view_->isColumnHidden(c);
}

void DataGrid::setSortMarker(const QString& field, std::optional<Qt::SortOrder> order) {
    QHeaderView* header = view_->horizontalHeader();
    const int c = fieldIndex(field);
    if (!order || c < 0) {
        markerField_.clear();
        header->setSortIndicatorShown(false);
        return;
    }
    markerField_ = field;
    markerOrder_ = *order;
    header->setSortIndicatorShown(true);
    header->setSortIndicator(c, *order);
}

std::optional<Qt::SortOrder> DataGrid::sortMarker(const QString& field) const {
    if (field != markerField_ || markerField_.isEmpty())
        return std::nullopt;
    return markerOrder_;
}

int DataGrid::visibleColumnCount() const {
    int n = 0;
    for (int c = 0; c < columns_.size(); ++c)
        n += view_->isColumnHidden(c) ? 0 : 1;
    return n;
}

int DataGrid::selectedColumn() const {
    const int current = view_->currentIndex().column();
    int visible = 0;
    for (int c = 0; c < columns_.size(); ++c) {
        if (view_->isColumnHidden(c))
            continue;
        if (c == current)
            return visible;
        ++visible;
    }
    return 0;
}

void DataGrid::setSelectedColumn(int visibleIndex) {
    int visible = 0;
    for (int c = 0; c < columns_.size(); ++c) {
        if (view_->isColumnHidden(c))
            continue;
        if (visible++ == visibleIndex) {
            const int row = qMax(0, view_->currentIndex().row());
            view_->setCurrentIndex(titles_->index(row, c));
            return;
        }
    }
}

QVariant DataGrid::footerSum(const QString& field) const {
    if (!rowSet_ || !rowSet_->isOpen())
        return {};
    const bool money = rowSet_->columnType(field) == qMetaTypeId<Currency>();
    Currency moneySum;
    long double sum = 0;
    for (int row = 0; row < rowSet_->rowCount(); ++row) {
        const QVariant v = rowSet_->value(row, field);
        if (money)
            moneySum += v.isNull() ? Currency() : v.value<Currency>();
        else
            sum += v.toDouble();
    }
    return money ? QVariant::fromValue(moneySum) : QVariant(double(sum));
}

void DataGrid::refreshFooter() {
    if (footer_->isHidden())
        return;
    QVector<QString> texts(columns_.size());
    for (int c = 0; c < columns_.size(); ++c) {
        if (columns_[c].footer == GridColumn::Footer::Text)
            texts[c] = columns_[c].footerText;
        else if (columns_[c].footer == GridColumn::Footer::Sum)
            texts[c] = ValueText::display(footerSum(columns_[c].field));
    }
    footer_->setTexts(texts);
}

void DataGrid::syncCurrentFromRowSet() {
    if (!rowSet_ || !titles_)
        return;
    const int row = rowSet_->isOpen() ? rowSet_->currentRow() : -1;
    if (row < 0 || row == view_->currentIndex().row())
        return;
    syncing_ = true;
    const int column = qMax(0, view_->currentIndex().column());
    view_->setCurrentIndex(titles_->index(row, column));
    view_->scrollTo(view_->currentIndex());
    syncing_ = false;
}

void DataGrid::onViewCurrentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (previous.isValid() && current.column() != previous.column())
        emit columnExited();
    if (syncing_ || !rowSet_ || !current.isValid() || current.row() == rowSet_->currentRow())
        return;
    rowSet_->moveTo(current.row());
}

void DataGrid::showFindDialog() {
    if (!findDialog_) {
        findDialog_ = new FindDialog(this);
        connect(findDialog_, &FindDialog::findNext, this,
                [this](const QString& text, Qt::CaseSensitivity cs) {
                    if (!findNext(text, cs))
                        QMessageBox::information(this, QStringLiteral("信息"),
                                                 QStringLiteral("找不到“%1”").arg(text));
                });
    }
    findDialog_->show();
    findDialog_->raise();
    findDialog_->activateWindow();
}

bool DataGrid::findNext(const QString& text, Qt::CaseSensitivity cs) {
    if (!rowSet_ || !rowSet_->isOpen())
        return false;
    rowSet_->fetchAll(); // the search wraps around the whole list
    if (rowSet_->rowCount() == 0)
        return false;
    const int rows = rowSet_->rowCount();
    const int start = rowSet_->currentRow();
    for (int step = 1; step <= rows; ++step) {
        const int row = (start + step) % rows;
        for (int c = 0; c < columns_.size(); ++c) {
            if (view_->isColumnHidden(c))
                continue;
            if (ValueText::display(rowSet_->value(row, columns_[c].field)).contains(text, cs)) {
                rowSet_->moveTo(row);
                view_->setCurrentIndex(titles_->index(row, c));
                return true;
            }
        }
    }
    return false;
}

void DataGrid::confirmAndDelete() {
    if (!rowSet_ || rowSet_->currentRow() < 0)
        return;
    if (QMessageBox::question(this, QStringLiteral("信息"), QStringLiteral("删除这一行吗?"),
                              QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
        rowSet_->deleteCurrent();
}

bool DataGrid::handleKey(QKeyEvent* event) {
    if (event->matches(QKeySequence::Find)) {
        showFindDialog();
        return true;
    }
    if (!rowSet_ || !rowSet_->isOpen())
        return false;
    const bool editable = !readOnly_ && rowsEditable_;
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier && editable) {
        confirmAndDelete();
        return true;
    }
    if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier && editable) {
        rowSet_->insert();
        return true;
    }
    // Arrow-down on the last row read so far moves on to the rows still being read.
    if (event->key() == Qt::Key_Down && rowSet_->isFetching())
        rowSet_->fetchAll();
    const bool atLastRow =
        rowSet_->rowCount() == 0 || rowSet_->currentRow() == rowSet_->rowCount() - 1;
    if (event->key() == Qt::Key_Down && event->modifiers() == Qt::NoModifier && editable &&
        atLastRow && !rowSet_->isUntouchedInsert()) {
        rowSet_->append();
        return true;
    }
    return false;
}

bool DataGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_) {
        if (event->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent*>(event)))
            return true;
        if (event->type() == QEvent::FocusOut && rowSet_ && rowSet_->isUntouchedInsert()) {
            QWidget* next = QApplication::focusWidget();
            if (!next || !view_->isAncestorOf(next))
                rowSet_->cancel();
        }
    } else if (watched == view_->viewport() && event->type() == QEvent::MouseButtonPress) {
        emit mousePressed();
    }
    return QWidget::eventFilter(watched, event);
}
