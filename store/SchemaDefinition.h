#pragma once

#include <QString>
#include <QVector>

// The kinds of column the program knows; each engine spells them in SqlDialect.
enum class ColumnType { Integer, AutoNumber, Text, Double, Currency, YesNo, Date, Untyped };

struct ColumnDefinition {
    QString name;
    ColumnType type = ColumnType::Text;
    int maxLength = 0;   // text(n); 0 = no fixed length
    bool key = false;    // row identity used by updates and deletes
    bool hidden = false; // row identity of a table whose rows may be equal; not shown
};

struct TableDefinition {
    QString name;
    QVector<ColumnDefinition> columns;

    const ColumnDefinition* column(const QString& name) const;
    const ColumnDefinition* keyColumn() const;
};

// The tables of kolu.mdb as the first schema version creates them. Later changes to the file
// are made only by steps appended to Migrations, never by editing these definitions.
class SchemaDefinition {
public:
    static const QVector<TableDefinition>& tables();
    static const TableDefinition* table(const QString& name);
    // The hidden identity column given to tables without a key of their own.
    static QString hiddenKeyName();
};
