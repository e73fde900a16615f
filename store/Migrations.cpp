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

QVector<MigrationStep> build() {
    return {
        {1, QStringLiteral("tables of the invoice program, first user, print settings row"),
         createBaseTables},
        // Append the next step here: {2, QStringLiteral("..."), [](const QSqlDatabase& db,
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
