#include "Migrations.h"

#include "DbError.h"
#include "SchemaDefinition.h"
#include "SqlCommand.h"

namespace {

void createBaseTables(const QSqlDatabase& db, const SqlDialect& dialect) {
    for (const TableDefinition& table : SchemaDefinition::tables())
        SqlCommand::run(db, dialect.createTable(table));
    // The first user may log in without a password and sees the notes after login.
    SqlCommand::run(db,
                    dialect.insertStatement(QStringLiteral("usertable"),
                                            {QStringLiteral("用户"), QStringLiteral("提示")}),
                    {QStringLiteral("A"), 0});
    SqlCommand::run(db, dialect.insertStatement(QStringLiteral("fpdz"), {QStringLiteral("fpdz")}),
                    {QStringLiteral("")});
}

// Each printer's feed adjustment in millimetres, applied to every print on it.
void createPrinterOffsets(const QSqlDatabase& db, const SqlDialect& dialect) {
    const TableDefinition table{QStringLiteral("打印偏移"),
                                {{QStringLiteral("打印机"), ColumnType::Text, 255, true},
                                 {QStringLiteral("水平"), ColumnType::Double},
                                 {QStringLiteral("垂直"), ColumnType::Double}}};
    SqlCommand::run(db, dialect.createTable(table));
}

QVector<MigrationStep> build() {
    return {
        {1, QStringLiteral("tables of the invoice program, first user, print settings row"),
         createBaseTables},
        {2, QStringLiteral("printer offsets"), createPrinterOffsets},
        // Append the next step here: {3, QStringLiteral("..."), [](const QSqlDatabase& db,
        // const SqlDialect& dialect) { SqlCommand::run(db, "..."); }},
    };
}

} // namespace

const QVector<MigrationStep>& Migrations::steps() {
    static const QVector<MigrationStep> all = build();
    return all;
}

int Migrations::latestVersion() {
    return steps().isEmpty() ? 0 : steps().last().toVersion;
}

int Migrations::version(const QSqlDatabase& db) {
    QSqlQuery q = SqlCommand::run(db, SqlDialect::forDatabase(db).readVersion());
    return q.next() ? q.value(0).toInt() : 0;
}

void Migrations::run(const QSqlDatabase& db, int fromVersion) {
    const SqlDialect dialect = SqlDialect::forDatabase(db);
    for (const MigrationStep& step : steps()) {
        if (step.toVersion <= fromVersion)
            continue;
        step.apply(db, dialect);
        SqlCommand::run(db, dialect.writeVersion(step.toVersion));
    }
}
