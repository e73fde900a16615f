#include "RowSet.h"

#include "Currency.h"
#include "DbError.h"
#include "SelectSource.h"
#include "SqlCommand.h"
#include "SqlDialect.h"
#include "ValueCodec.h"
#include "WriteTransaction.h"

#include <QCollator>
#include <QDate>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlRecord>
#include <QTimer>
#include <algorithm>
#include <limits>
#include <numeric>
#include <optional>
#include <utility>

namespace {

// A background chunk stops after this many rows or this much time, whichever comes first, so
// keystrokes queued behind it are taken in promptly.
constexpr int ChunkRows = 5000;
constexpr qint64 ChunkNanoseconds = 15'000'000;

struct Column {
    QString name;
    ColumnType type = ColumnType::Untyped;
    int maxLength = 0;
    bool writable = false;
    bool hidden = false;
};

QString paramKey(const QString& name) {
    return (name.startsWith(u':') ? name.mid(1) : name).toLower();
}

bool isNull(const QVariant& v) {
    return !v.isValid() || v.isNull();
}

template <typename T> int order(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

int compareValues(const QVariant& a, const QVariant& b, const QCollator* collator) {
    if (isNull(a) || isNull(b))
        return int(!isNull(a)) - int(!isNull(b));
    const int ta = a.typeId();
    if (ta != b.typeId())
        return QString::compare(a.toString(), b.toString());
    if (ta == qMetaTypeId<Currency>())
        return order(a.value<Currency>(), b.value<Currency>());
    switch (ta) {
    case QMetaType::QString: {
        if (collator)
            return collator->compare(a.toString(), b.toString());
        const int c = QString::compare(a.toString(), b.toString(), Qt::CaseInsensitive);
        return c != 0 ? c : QString::compare(a.toString(), b.toString());
    }
    case QMetaType::LongLong:
        return order(a.toLongLong(), b.toLongLong());
    case QMetaType::Double:
        return order(a.toDouble(), b.toDouble());
    case QMetaType::QDate:
        return order(a.toDate(), b.toDate());
    case QMetaType::Bool:
        return order(a.toBool(), b.toBool());
    default:
        return QString::compare(a.toString(), b.toString());
    }
}

} // namespace

struct RowSet::Private {
    Private(RowSet* owner, QSqlDatabase database, const QString& text)
        : q(owner), db(std::move(database)), sql(text) {}

    RowSet* q;
    QSqlDatabase db;
    QString sql;
    QVariantHash params;

    RowSet* master = nullptr;
    QString masterParam, masterColumn, detailColumn;
    QList<QMetaObject::Connection> masterLinks;

    State state = State::Closed;
    QVector<Column> columns;
    QHash<QString, int> columnIndex; // lower-case name -> index
    QString table;                   // write target; empty when read-only
    int key = -1;                    // index of the table's key among the columns

    QVector<QVector<QVariant>> rows;
    int current = -1;
    QVector<QVariant> original; // the current row before the edit
    QVector<bool> assigned;
    bool modified = false;
    int rowBeforeInsert = -1;

    QString sortColumn;
    Qt::SortOrder sortOrder = Qt::AscendingOrder;
    std::optional<QCollator> collator;

    int firstRows = 0;                // incremental fetch; 0 reads everything in open()
    std::optional<QSqlQuery> pending; // forward-only query with rows still to read
    QTimer* fetchTimer = nullptr;
    // Rows of closed lists, freed a slice at a time: freeing a long list at once stalls the
    // keystroke that closed it as long as reading it did.
    QList<QVector<QVector<QVariant>>> discarded;

    bool editing() const { return state == State::Edit || state == State::Insert; }

    void requireOpen() const {
        if (state == State::Closed)
            throw DbError(QStringLiteral("数据集没有打开，不能进行这项操作。"));
    }
    void requireWritable() const {
        if (table.isEmpty())
            throw DbError(QStringLiteral("这些数据是只读的，不能修改。"));
    }
    int indexOf(const QString& column) const {
        const int i = columnIndex.value(column.toLower(), -1);
        if (i < 0)
            throw DbError(QStringLiteral("找不到字段 %1").arg(column));
        return i;
    }

    void setState(State s) {
        if (state == s)
            return;
        state = s;
        emit q->stateChanged(s);
    }

    QVariant masterValue() const {
        if (!master || !master->isOpen() || master->currentRow() < 0 ||
            !master->hasColumn(masterColumn))
            return {};
        return master->value(masterColumn);
    }

    void describeColumns(const QSqlRecord& record, const QString& jetSql) {
        const SelectSource source = SelectSource::of(jetSql);
        const SqlDialect dialect = SqlDialect::forDatabase(db);
        QVector<TableInfo> tables;
        for (const QString& t : source.tables())
            tables << dialect.readTable(db, t);
        const QString target = source.writableTable();
        columns.clear();
        columnIndex.clear();
        for (int i = 0; i < record.count(); ++i) {
            Column c;
            c.name = record.fieldName(i);
            for (const TableInfo& t : tables) {
                const int at = t.indexOf(c.name);
                if (at < 0)
                    continue;
                const TableInfo::Column& info = t.columns[at];
                c.type = info.type;
                c.maxLength = info.maxLength;
                c.hidden = info.hidden;
                c.writable = t.name.compare(target, Qt::CaseInsensitive) == 0 && !info.autoNumber;
                break;
            }
            if (!columnIndex.contains(c.name.toLower()))
                columnIndex.insert(c.name.toLower(), i);
            columns << c;
        }
        table.clear();
        key = -1;
        for (const TableInfo& t : tables) {
            if (t.name.compare(target, Qt::CaseInsensitive) != 0 || t.keyIndex() < 0)
                continue;
            key = columnIndex.value(t.columns[t.keyIndex()].name.toLower(), -1);
            if (key >= 0)
                table = t.name;
        }
        if (table.isEmpty())
            for (Column& c : columns)
                c.writable = false;
    }

    // Appends up to `limit` rows, stopping early once `budget` nanoseconds have passed (0: no
    // limit). Returns false when the query has no rows left.
    bool readRows(QSqlQuery& query, int limit, qint64 budget = 0) {
        const int n = columns.size();
        QVector<ColumnType> types(n);
        for (int i = 0; i < n; ++i)
            types[i] = columns[i].type;
        QElapsedTimer clock;
        clock.start();
        for (int count = 0; count < limit; ++count) {
            if (budget > 0 && count % 64 == 63 && clock.nsecsElapsed() > budget)
                return true;
            if (!query.next()) {
                // A read that breaks off must not pass for the end of the list.
                if (query.lastError().isValid())
                    throw DbError(
                        QStringLiteral("读取数据时出错：%1").arg(query.lastError().text()));
                return false;
            }
            QVector<QVariant> row;
            row.reserve(n);
            for (int i = 0; i < n; ++i)
                row.append(ValueCodec::fromStorage(query.value(i), types[i]));
            rows.append(std::move(row));
        }
        return true;
    }

    void dropPending() {
        if (pending) {
            pending->finish();
            pending.reset();
        }
        schedule();
    }

    void schedule() {
        if (pending || !discarded.isEmpty())
            fetchTimer->start();
        else
            fetchTimer->stop();
    }

    void discardRows() {
        if (firstRows > 0 && rows.size() > ChunkRows)
            discarded.append(std::exchange(rows, {}));
        rows.clear();
        schedule();
    }

    void releaseSome(qint64 budget) {
        QElapsedTimer clock;
        clock.start();
        while (!discarded.isEmpty() && clock.nsecsElapsed() < budget) {
            auto& list = discarded.last();
            list.resize(std::max<qsizetype>(list.size() - 1000, 0));
            if (list.isEmpty())
                discarded.removeLast();
        }
    }

    // One turn of the event loop shares its time between freeing and reading: rows read into
    // memory just freed come faster than into fresh pages, and the allocator's tidying after a
    // large free stays short when the freed pile is small.
    void backgroundWork() {
        const qint64 share =
            pending && !discarded.isEmpty() ? ChunkNanoseconds / 2 : ChunkNanoseconds;
        releaseSome(share);
        fetchMore(ChunkRows, share);
        schedule();
    }

    // Reads more rows of the pending query; the views hear of them through rowsAppended.
    void fetchMore(int limit, qint64 budget) {
        if (!pending)
            return;
        const int first = rows.size();
        bool more = false;
        try {
            more = pending->isActive() && readRows(*pending, limit, budget);
        } catch (...) {
            dropPending();
            announceAppended(first);
            throw;
        }
        if (!more)
            dropPending();
        announceAppended(first);
    }

    void announceAppended(int first) {
        if (rows.size() > first)
            emit q->rowsAppended(first, rows.size() - 1);
    }

    void fetchUpTo(int count) {
        if (pending && rows.size() < count)
            fetchMore(count - rows.size(), 0);
    }

    void applySort() {
        const int c = columnIndex.value(sortColumn.toLower(), -1);
        if (sortColumn.isEmpty() || c < 0 || rows.size() < 2)
            return;
        QVector<int> perm(rows.size());
        std::iota(perm.begin(), perm.end(), 0);
        const bool descending = sortOrder == Qt::DescendingOrder;
        if (collator && columns[c].type == ColumnType::Text) {
            // One key per row instead of a collation per comparison: pinyin order of a long
            // list in a fraction of the time.
            std::vector<std::optional<QCollatorSortKey>> keys(rows.size());
            for (int r = 0; r < rows.size(); ++r)
                if (!isNull(rows[r][c]))
                    keys[r] = collator->sortKey(rows[r][c].toString());
            std::stable_sort(perm.begin(), perm.end(), [&](int a, int b) {
                const auto& ka = keys[descending ? b : a];
                const auto& kb = keys[descending ? a : b];
                if (!ka || !kb)
                    return !ka && kb;
                return ka->compare(*kb) < 0;
            });
        } else {
            const QCollator* coll = collator ? &*collator : nullptr;
            std::stable_sort(perm.begin(), perm.end(), [&](int a, int b) {
                const int cmp = compareValues(rows[a][c], rows[b][c], coll);
                return descending ? cmp > 0 : cmp < 0;
            });
        }
        QVector<QVector<QVariant>> sorted;
        sorted.reserve(rows.size());
        int newCurrent = current;
        for (int i = 0; i < perm.size(); ++i) {
            if (perm[i] == current)
                newCurrent = i;
            sorted.append(std::move(rows[perm[i]]));
        }
        rows = std::move(sorted);
        current = newCurrent;
    }

    // Writes the pending edit or insert; the row set stays editing when the write fails.
    void write() {
        requireWritable();
        const SqlDialect dialect = SqlDialect::forDatabase(db);
        QVector<QVariant>& row = rows[current];
        QStringList names;
        QVariantList values;
        for (int i = 0; i < columns.size(); ++i) {
            const bool wanted = state == State::Insert ? !isNull(row[i]) : assigned[i];
            if (wanted && columns[i].writable) {
                names << columns[i].name;
                values << ValueCodec::toStorage(row[i], dialect.engine());
            }
        }
        WriteTransaction transaction(db);
        if (state == State::Insert) {
            QSqlQuery query = SqlCommand::run(db, dialect.insertStatement(table, names), values);
            const QVariant newKey = isNull(row[key]) ? query.lastInsertId() : row[key];
            query.finish();
            transaction.commit();
            row[key] = ValueCodec::fromStorage(newKey, columns[key].type);
        } else if (!names.isEmpty()) {
            values << ValueCodec::toStorage(original[key], dialect.engine());
            QSqlQuery query = SqlCommand::run(
                db, dialect.updateStatement(table, names, columns[key].name), values);
            if (query.numRowsAffected() == 0)
                throw DbError(QStringLiteral("这条记录已被删除，修改无法保存。"));
            query.finish();
            transaction.commit();
        }
        modified = false;
        setState(State::Browse);
        emit q->rowUpdated(current);
    }

    // Before leaving the row: a changed row is written, an unchanged one is let go.
    void checkBrowseMode() {
        if (!editing())
            return;
        emit q->aboutToPost();
        if (!editing())
            return;
        if (modified)
            write();
        else
            q->cancel();
    }

    void startInsert(bool atEnd) {
        requireOpen();
        requireWritable();
        checkBrowseMode();
        if (atEnd)
            q->fetchAll();
        const int at = atEnd ? rows.size() : std::max(current, 0);
        QVector<QVariant> row(columns.size());
        if (master) {
            const int dc = columnIndex.value(detailColumn.toLower(), -1);
            if (dc >= 0)
                row[dc] = ValueCodec::assign(params.value(paramKey(masterParam)), columns[dc].type,
                                             columns[dc].maxLength, columns[dc].name);
        }
        rowBeforeInsert = current;
        rows.insert(at, row);
        current = at;
        assigned.fill(false, columns.size());
        modified = false;
        emit q->rowInserted(at);
        setState(State::Insert);
        emit q->dataChanged({});
    }

    void refreshCurrentRow() {
        if (table.isEmpty() || current < 0 || isNull(rows[current][key]))
            return;
        const SqlDialect dialect = SqlDialect::forDatabase(db);
        QStringList names;
        QVector<int> at;
        for (int i = 0; i < columns.size(); ++i) {
            if (columns[i].type != ColumnType::Untyped) {
                names << columns[i].name;
                at << i;
            }
        }
        QSqlQuery query =
            SqlCommand::run(db, dialect.selectByKey(table, names, columns[key].name),
                            {ValueCodec::toStorage(rows[current][key], dialect.engine())});
        if (!query.next())
            return;
        bool changed = false;
        for (int j = 0; j < at.size(); ++j) {
            const QVariant v = ValueCodec::fromStorage(query.value(j), columns[at[j]].type);
            QVariant& cell = rows[current][at[j]];
            if (isNull(v) != isNull(cell) || v != cell) {
                cell = v;
                changed = true;
            }
        }
        query.finish();
        if (changed) {
            emit q->rowUpdated(current);
            emit q->dataChanged({});
        }
    }

    void followMaster() {
        const QVariant value = masterValue();
        if (state == State::Closed) {
            params.insert(paramKey(masterParam), value);
            return;
        }
        checkBrowseMode();
        params.insert(paramKey(masterParam), value);
        q->reload();
    }
};

RowSet::RowSet(QSqlDatabase db, const QString& sql, QObject* parent)
    : QObject(parent), d(new Private(this, std::move(db), sql)) {
    d->fetchTimer = new QTimer(this);
    d->fetchTimer->setInterval(0);
    connect(d->fetchTimer, &QTimer::timeout, this, [this] { d->backgroundWork(); });
}

RowSet::~RowSet() {
    for (const auto& link : d->masterLinks)
        disconnect(link);
    d->dropPending();
    delete d;
}

void RowSet::setIncrementalFetch(int firstRows) {
    d->firstRows = std::max(firstRows, 0);
}

int RowSet::incrementalFetch() const {
    return d->firstRows;
}

bool RowSet::isFetching() const {
    return d->pending.has_value();
}

void RowSet::fetchAll() {
    d->fetchUpTo(std::numeric_limits<int>::max());
}

int RowSet::locate(const QString& column, const QVariant& value) {
    if (d->state == State::Closed)
        return -1;
    const int c = d->indexOf(column);
    for (int row = 0;; ++row) {
        if (row == d->rows.size())
            d->fetchUpTo(row + ChunkRows);
        if (row >= d->rows.size())
            return -1;
        const QVariant& cell = d->rows[row][c];
        if (isNull(cell) ? isNull(value)
                         : !isNull(value) && compareValues(cell, value, nullptr) == 0)
            return row;
    }
}

void RowSet::setSql(const QString& sql) {
    d->sql = sql;
}

QString RowSet::sql() const {
    return d->sql;
}

void RowSet::setParam(const QString& name, const QVariant& value) {
    d->params.insert(paramKey(name), value);
}

QVariant RowSet::param(const QString& name) const {
    return d->params.value(paramKey(name));
}

void RowSet::setMaster(RowSet* master, const QString& param, const QString& masterColumn,
                       const QString& detailColumn) {
    for (const auto& link : d->masterLinks)
        disconnect(link);
    d->masterLinks.clear();
    d->master = master;
    d->masterParam = param;
    d->masterColumn = masterColumn;
    d->detailColumn = detailColumn;
    if (!master)
        return;
    d->masterLinks << connect(master, &RowSet::dataChanged, this, [this](const QString& column) {
        if (column.isEmpty() || column.compare(d->masterColumn, Qt::CaseInsensitive) == 0)
            d->followMaster();
    });
    // A posted new master row has just received its key.
    d->masterLinks << connect(master, &RowSet::rowUpdated, this, [this](int row) {
        if (row == d->master->currentRow() && d->master->state() == State::Browse &&
            d->masterValue() != d->params.value(paramKey(d->masterParam)))
            d->followMaster();
    });
    d->masterLinks << connect(master, &RowSet::stateChanged, this, [this](State s) {
        if (s == State::Closed)
            d->followMaster();
    });
    d->masterLinks << connect(master, &QObject::destroyed, this, [this] {
        d->master = nullptr;
        d->masterLinks.clear();
    });
}

RowSet* RowSet::master() const {
    return d->master;
}

void RowSet::open() {
    if (d->state != State::Closed)
        return;
    if (!d->db.isOpen())
        throw DbError(QStringLiteral("数据库没有打开，无法读取数据。%1")
                          .arg(d->db.lastError().text())
                          .trimmed());
    if (d->master)
        d->params.insert(paramKey(d->masterParam), d->masterValue());
    const auto translated = SqlDialect::forDatabase(d->db).translate(d->sql);
    QSqlQuery query = SqlCommand::run(
        d->db, translated.sql, SqlCommand::bindValues(d->db, translated.parameterNames, d->params));
    if (!query.isSelect())
        throw DbError(QStringLiteral("这条语句不返回记录：%1").arg(d->sql));
    const bool sorted = !d->sortColumn.isEmpty();
    const bool incremental = d->firstRows > 0 && !sorted;
    try {
        d->describeColumns(query.record(), d->sql);
        d->rows.clear();
        const bool more =
            d->readRows(query, incremental ? d->firstRows : std::numeric_limits<int>::max());
        if (more) {
            d->pending = std::move(query);
            d->schedule();
        } else {
            query.finish();
        }
    } catch (...) {
        d->rows.clear();
        throw;
    }
    d->current = d->rows.isEmpty() ? -1 : 0;
    d->applySort();
    d->current = d->rows.isEmpty() ? -1 : 0;
    d->modified = false;
    d->assigned.fill(false, d->columns.size());
    d->setState(State::Browse);
    emit rowsReset();
    emit dataChanged({});
}

void RowSet::close() {
    d->dropPending();
    if (d->state == State::Closed)
        return;
    d->discardRows();
    d->original.clear();
    d->current = -1;
    d->modified = false;
    d->setState(State::Closed);
    emit rowsReset();
}

void RowSet::reload() {
    close();
    open();
}

bool RowSet::isOpen() const {
    return d->state != State::Closed;
}

RowSet::State RowSet::state() const {
    return d->state;
}

bool RowSet::isEditing() const {
    return d->editing();
}

int RowSet::rowCount() const {
    return d->rows.size();
}

bool RowSet::isEmpty() const {
    return d->rows.isEmpty();
}

int RowSet::currentRow() const {
    return d->current;
}

void RowSet::moveTo(int row) {
    d->requireOpen();
    d->fetchUpTo(row + 1);
    if (d->rows.isEmpty())
        return;
    row = std::clamp(row, 0, int(d->rows.size()) - 1);
    if (row == d->current)
        return;
    const int from = d->current;
    const int countBefore = d->rows.size();
    d->checkBrowseMode();
    if (d->rows.size() < countBefore && from < row)
        --row; // the untouched new row before the target went away
    if (d->rows.isEmpty())
        return;
    row = std::clamp(row, 0, int(d->rows.size()) - 1);
    if (row == d->current)
        return;
    d->current = row;
    emit dataChanged({});
}

void RowSet::first() {
    moveTo(0);
}

void RowSet::last() {
    fetchAll();
    moveTo(rowCount() - 1);
}

void RowSet::next() {
    d->fetchUpTo(d->current + 2);
    if (d->current + 1 < rowCount())
        moveTo(d->current + 1);
}

void RowSet::prior() {
    if (d->current > 0)
        moveTo(d->current - 1);
}

QStringList RowSet::columns() const {
    QStringList names;
    for (const Column& c : d->columns)
        if (!c.hidden)
            names << c.name;
    return names;
}

bool RowSet::hasColumn(const QString& column) const {
    return d->columnIndex.contains(column.toLower());
}

QVariant RowSet::value(const QString& column) const {
    return value(d->current, column);
}

QVariant RowSet::value(int row, const QString& column) const {
    if (d->state == State::Closed || row < 0 || row >= d->rows.size())
        return {};
    return d->rows[row][d->indexOf(column)];
}

int RowSet::columnType(const QString& column) const {
    const int i = d->columnIndex.value(column.toLower(), -1);
    return ValueCodec::metaType(i < 0 ? ColumnType::Text : d->columns[i].type);
}

void RowSet::setValue(const QString& column, const QVariant& value) {
    d->requireOpen();
    const int c = d->indexOf(column);
    d->requireWritable();
    const Column& col = d->columns[c];
    if (!col.writable)
        throw DbError(QStringLiteral("字段 %1 由数据库填写，不能修改。").arg(col.name));
    const QVariant typed = ValueCodec::assign(value, col.type, col.maxLength, col.name);
    if (!d->editing())
        edit();
    d->rows[d->current][c] = typed;
    d->assigned[c] = true;
    d->modified = true;
    const QString name = col.name;
    emit rowUpdated(d->current);
    emit columnChanged(name);
    emit dataChanged(name);
}

void RowSet::edit() {
    d->requireOpen();
    if (d->editing())
        return;
    d->requireWritable();
    if (d->rows.isEmpty()) {
        append();
        return;
    }
    d->original = d->rows[d->current];
    d->assigned.fill(false, d->columns.size());
    d->modified = false;
    d->setState(State::Edit);
}

void RowSet::append() {
    d->startInsert(true);
}

void RowSet::insert() {
    d->startInsert(false);
}

void RowSet::post() {
    if (!d->editing())
        return;
    emit aboutToPost();
    if (d->editing())
        d->write();
}

void RowSet::cancel() {
    if (!d->editing())
        return;
    // The row set is consistent (browsing a valid row) before anyone hears of the change:
    // a grid reacting to rowRemoved may move the current row.
    const bool inserted = d->state == State::Insert;
    const int changed = d->current;
    if (inserted) {
        d->rows.remove(changed);
        d->current =
            d->rows.isEmpty() ? -1 : std::clamp(d->rowBeforeInsert, 0, int(d->rows.size()) - 1);
    } else {
        d->rows[changed] = d->original;
    }
    d->modified = false;
    d->setState(State::Browse);
    if (inserted)
        emit rowRemoved(changed);
    else
        emit rowUpdated(changed);
    emit dataChanged({});
}

void RowSet::deleteCurrent() {
    d->requireOpen();
    if (d->current < 0)
        throw DbError(QStringLiteral("没有可删除的记录。"));
    if (d->state == State::Insert) {
        cancel();
        return;
    }
    d->requireWritable();
    if (d->state == State::Edit)
        d->rows[d->current] = d->original;
    const SqlDialect dialect = SqlDialect::forDatabase(d->db);
    {
        WriteTransaction transaction(d->db);
        SqlCommand::run(d->db, dialect.deleteStatement(d->table, d->columns[d->key].name),
                        {ValueCodec::toStorage(d->rows[d->current][d->key], dialect.engine())});
        transaction.commit();
    }
    const int removed = d->current;
    d->rows.remove(removed);
    d->modified = false;
    d->current = d->rows.isEmpty() ? -1 : std::min(removed, int(d->rows.size()) - 1);
    emit rowRemoved(removed);
    d->setState(State::Browse);
    emit dataChanged({});
}

void RowSet::saveAll() {
    if (d->state == State::Closed)
        return;
    d->checkBrowseMode();
    d->refreshCurrentRow();
}

bool RowSet::isUntouchedInsert() const {
    return d->state == State::Insert && !d->modified;
}

void RowSet::sortBy(const QString& column, Qt::SortOrder order, const QCollator* collator) {
    d->requireOpen();
    const int c = d->indexOf(column);
    d->checkBrowseMode();
    fetchAll();
    d->sortColumn = d->columns[c].name;
    d->sortOrder = order;
    d->collator = collator ? std::optional<QCollator>(*collator) : std::nullopt;
    d->applySort();
    emit rowsReset();
    emit dataChanged({});
}

void RowSet::clearSort() {
    d->sortColumn.clear();
    d->collator.reset();
}

QString RowSet::writableTable() const {
    return d->table;
}

bool RowSet::isColumnWritable(const QString& column) const {
    const int i = d->columnIndex.value(column.toLower(), -1);
    return i >= 0 && d->columns[i].writable;
}
