#pragma once

#include "SqlDialect.h"

#include <QSqlDatabase>
#include <QString>
#include <QVector>
#include <functional>

// One change of the database file's schema, from version toVersion - 1 to toVersion.
struct MigrationStep {
    int toVersion;
    QString description;
    std::function<void(const QSqlDatabase&, const SqlDialect&)> apply;
};

// The file's schema version lives in the file (PRAGMA user_version on SQLite). A new file runs
// every step from version 0; an older file runs the steps it has not had yet.
//
// To change the schema, append one step to the list in Migrations.cpp with the next version
// number. Never edit or reorder a step that has shipped: files out there already ran it.
class Migrations {
public:
    static const QVector<MigrationStep>& steps();
    static int latestVersion();
    // Runs the steps after fromVersion and records the new version. The caller holds a write
    // transaction, so a failing step leaves the file as it was.
    static void run(const QSqlDatabase& db, int fromVersion);
    static int version(const QSqlDatabase& db);
};
