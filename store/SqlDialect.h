#pragma once

#include "SchemaDefinition.h"
#include "TableInfo.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Everything that differs between database engines, in one place. The program's SQL texts are
// written in the Jet dialect (the statements the windows use); translate() turns them into this
// engine's SQL.
//
// LIKE: "%" and "_" are the wildcards on both engines. Jet compares without regard to case;
// SQLite's LIKE does so for ASCII letters (Chinese has no case), PostgreSQL needs ILIKE.
class SqlDialect {
public:
    enum class Engine { SQLite, PostgreSQL };

    explicit SqlDialect(Engine engine = Engine::SQLite) : engine_(engine) {}
    static SqlDialect forDatabase(const QSqlDatabase& db);
    Engine engine() const { return engine_; }

    QString quoteName(const QString& name) const;
    QString typeName(const ColumnDefinition& column) const;
    // The column type a declared type stands for; fills maxLength for text(n).
    ColumnType typeFromDeclared(const QString& declared, int* maxLength = nullptr) const;
    QString booleanLiteral(bool value) const;
    // Starts a write transaction that takes the write lock at once, so two programs writing the
    // same file wait for each other instead of failing half-way.
    QString beginWrite() const;
    // Run after a commit; empty when nothing is needed. On SQLite it copies the write-ahead log
    // into kolu.mdb itself, so a copy of that one file (the users' backup) holds every saved
    // change even while the program runs.
    QString afterCommit() const;
    // The schema version kept inside the file.
    QString readVersion() const;
    QString writeVersion(int version) const;
    QString createTable(const TableDefinition& table) const;
    QString insertStatement(const QString& table, const QStringList& columns) const;
    QString updateStatement(const QString& table, const QStringList& columns,
                            const QString& key) const;
    QString deleteStatement(const QString& table, const QString& key) const;
    QString selectByKey(const QString& table, const QStringList& columns, const QString& key) const;

    TableInfo readTable(const QSqlDatabase& db, const QString& table) const;

    struct Translation {
        QString sql;                // positional "?" placeholders
        QStringList parameterNames; // one per placeholder, in order, without the colon
    };
    // Jet texts: "delete * from t" -> "delete from t"; true/false -> the boolean literal;
    // "text" -> 'text'; Str(x) -> the engine's equivalent (a blank before non-negative numbers);
    // "+" or "&" joining text -> "||"; :name -> "?".
    Translation translate(const QString& jetSql) const;

    // Jet's Str(x): the number x as text, with a blank in front when it is not negative.
    QString strFunction(const QString& argument) const;

private:
    Engine engine_;
};
