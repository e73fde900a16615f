#pragma once

#include "ConnectionDescription.h"
#include "TableInfo.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <functional>

// The open database file kolu.mdb. Opening checks that the file is ours before anything is
// written: an Access file, another program's file, a folder or an unreadable file gives a
// DbError naming the file, and the file stays untouched. A missing file is created with every
// table; an older file is brought up to the current schema version.
//
// Several Database objects (in this or other processes) may use the same file at once: each
// waits up to ten seconds for another's write to finish.
class Database {
public:
    enum class Creation { CreateIfMissing, ExistingOnly };

    explicit Database(const QString& dataFolder, Creation creation = Creation::CreateIfMissing);
    explicit Database(const ConnectionDescription& description,
                      Creation creation = Creation::CreateIfMissing);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // The connection the row sets work on.
    QSqlDatabase connection() const;
    QString filePath() const;
    int schemaVersion() const;

    // Runs `work` in one write transaction: committed when it returns, rolled back when it
    // throws (the exception goes on to the caller).
    void writeTransaction(const std::function<void()>& work);

    // Faults of the file (missing table or column, wrong column type or order, wrong version,
    // damage); each names the file. Empty when the file is sound.
    QStringList check() const;

    QStringList tableNames() const;
    // Declared columns, types and key of a table; an empty column list when it does not exist.
    TableInfo table(const QString& name) const;

private:
    void openSqlite(const ConnectionDescription::SqlSettings& settings, Creation creation);
    void verifyOurs();
    void configure();
    void migrate();
    void fail(const QString& message);

    QString connectionName_;
    QString filePath_;
};
