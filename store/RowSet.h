#pragma once

#include <QHash>
#include <QObject>
#include <QSqlDatabase>
#include <QStringList>
#include <QVariant>
#include <QVector>

class QCollator;

// An SQL query as a row set with one current row, the way the windows work with data:
// values are read from and assigned to the current row; assignments stay pending until post;
// moving to another row posts first. Every failure throws DbError.
//
// Values are typed by the table's declared column types: text -> QString, integer -> qint64,
// double -> double, currency -> Currency, yes/no -> bool, date -> QDate, null -> QVariant().
class RowSet : public QObject {
    Q_OBJECT
public:
    enum class State { Closed, Browse, Edit, Insert };
    Q_ENUM(State)

    explicit RowSet(QSqlDatabase db, const QString& sql = {}, QObject* parent = nullptr);
    ~RowSet() override;

    // SQL text with named parameters (":cid"). Changing it closes nothing by itself.
    void setSql(const QString& sql);
    QString sql() const;
    // Parameters are bound as values, never pasted into the text.
    void setParam(const QString& name, const QVariant& value);
    QVariant param(const QString& name) const;

    // Master/detail: while open, this row set follows masterColumn of the master's current row
    // through parameter `param`; a row appended here takes that value into detailColumn.
    void setMaster(RowSet* master, const QString& param, const QString& masterColumn,
                   const QString& detailColumn);
    RowSet* master() const;

    void open();   // runs the SQL; does nothing when already open; first row becomes current
    void close();  // discards a pending edit or insert
    void reload(); // close + open with the current parameter values
    bool isOpen() const;
    State state() const;
    bool isEditing() const; // Edit or Insert

    // Long lists: with firstRows > 0, open() reads only the first rows and the rest follows in
    // chunks from the event loop (rowsAppended), so opening never waits for the whole result.
    // 0 (the default) reads everything in open(). A sort in force always reads everything.
    void setIncrementalFetch(int firstRows);
    int incrementalFetch() const;
    bool isFetching() const; // rows remain to be read in the background
    void fetchAll();         // reads the remaining rows now
    // First row whose column equals value, reading further rows only as far as needed; -1 if
    // there is none.
    int locate(const QString& column, const QVariant& value);

    int rowCount() const; // rows read so far
    bool isEmpty() const;
    int currentRow() const; // -1 when empty or closed
    // Posts a pending edit first; emits dataChanged({}) when it moves. A row beyond those read
    // is read first; the row is clamped to the rows there are.
    void moveTo(int row);
    void first();
    void last();
    void next();
    void prior();

    QStringList columns() const;
    bool hasColumn(const QString& column) const;
    QVariant value(const QString& column) const; // current row, pending edit included
    QVariant value(int row, const QString& column) const;
    // Declared type of a column (QMetaType id: QString, qint64, double, Currency, bool, QDate),
    // also when its value is null.
    int columnType(const QString& column) const;
    // Assigns to the current row: starts editing (or inserts a row when empty), emits
    // columnChanged(column) synchronously (also for an equal value) and then dataChanged(column).
    void setValue(const QString& column, const QVariant& value);

    void edit();          // Browse -> Edit on the current row (inserts when empty)
    void append();        // posts, then adds a new row at the end in Insert state
    void insert();        // posts, then adds a new row before the current one in Insert state
    void post();          // writes the pending edit or insert to the database
    void cancel();        // drops the pending edit; an inserted row disappears
    void deleteCurrent(); // deletes the current row from the database at once
    void saveAll();       // post, write all pending changes, re-read the current row
    // True while the inserted row has not been given any value by the user (a grid drops it).
    bool isUntouchedInsert() const;

    // In-memory sort of the rows read, by one column; the SQL is not re-run. Text columns sort
    // by the collator when one is given, numbers and dates by value; nulls come first when
    // ascending, last when descending; equal rows keep their order.
    // The sort stays in force for later opens and reloads until clearSort() or another sortBy().
    void sortBy(const QString& column, Qt::SortOrder order, const QCollator* collator = nullptr);
    void clearSort();

    // The table rows are written back to; empty when the row set is read-only (several tables,
    // an aggregate, or no key column among the columns read).
    QString writableTable() const;
    bool isColumnWritable(const QString& column) const;

signals:
    // Data change: a column of the current row changed (column named), or the current row
    // moved, or the row set was opened/reloaded/sorted (column empty).
    void dataChanged(const QString& column);
    // Emitted by post() before the pending row is written, so bound editors can put text the
    // program gave them into their columns.
    void aboutToPost();
    // A column of the current row was assigned (synchronous, also for an equal value).
    void columnChanged(const QString& column);
    void stateChanged(RowSet::State state);
    // For item models: the whole row list was replaced (open, close, reload, sort).
    void rowsReset();
    // Rows first..last were read in the background and added at the end; the current row
    // stays as it is.
    void rowsAppended(int first, int last);
    void rowInserted(int row);
    void rowRemoved(int row);
    void rowUpdated(int row); // values of one row changed (pending or written)

private:
    struct Private;
    Private* d;
};
