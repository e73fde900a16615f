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

// The register's search as typed narrows the invoices with this index of three-character
// pieces before its LIKE test; triggers keep it in step with every change of title.
void createTitleSearchIndex(const QSqlDatabase& db, const SqlDialect& dialect) {
    if (dialect.engine() != SqlDialect::Engine::SQLite)
        return;
    const QStringList searched = {QStringLiteral("发票号码"),
                                  QStringLiteral("购货单位名称"),
                                  QStringLiteral("购货单位银行"),
                                  QStringLiteral("购货单位地址"),
                                  QStringLiteral("购货纳税人识别号"),
                                  QStringLiteral("收款人"),
                                  QStringLiteral("备注")};
    const QString columns = searched.join(QStringLiteral(", "));
    auto values = [&](const QString& row) {
        return row + QStringLiteral(".cid, ") + row + u'.' +
               searched.join(QStringLiteral(", ") + row + u'.');
    };
    const QString insertNew = QStringLiteral("INSERT INTO title_search(rowid, %1) VALUES (%2);")
                                  .arg(columns, values(QStringLiteral("new")));
    const QString deleteOld =
        QStringLiteral("INSERT INTO title_search(title_search, rowid, %1) VALUES ('delete', %2);")
            .arg(columns, values(QStringLiteral("old")));
    SqlCommand::run(db, QStringLiteral("CREATE VIRTUAL TABLE title_search USING fts5(%1, "
                                       "content='title', content_rowid='cid', tokenize='trigram')")
                            .arg(columns));
    SqlCommand::run(db, QStringLiteral("CREATE TRIGGER title_search_insert AFTER INSERT ON title "
                                       "BEGIN %1 END")
                            .arg(insertNew));
    SqlCommand::run(db, QStringLiteral("CREATE TRIGGER title_search_delete AFTER DELETE ON title "
                                       "BEGIN %1 END")
                            .arg(deleteOld));
    SqlCommand::run(db, QStringLiteral("CREATE TRIGGER title_search_update AFTER UPDATE OF cid, %1 "
                                       "ON title BEGIN %2 %3 END")
                            .arg(columns, deleteOld, insertNew));
    SqlCommand::run(db,
                    QStringLiteral("INSERT INTO title_search(title_search) VALUES ('rebuild')"));
}

// The lines of one invoice are read at every move through the list: find them by cid instead
// of reading every line of every invoice.
void indexLinesByInvoice(const QSqlDatabase& db, const SqlDialect&) {
    SqlCommand::run(db, QStringLiteral("CREATE INDEX detail_cid ON detail (cid, id)"));
}

QVector<MigrationStep> build() {
    return {
        {1, QStringLiteral("tables of the invoice program, first user, print settings row"),
         createBaseTables},
        {2, QStringLiteral("printer offsets"), createPrinterOffsets},
        {3, QStringLiteral("search index of the invoice list"), createTitleSearchIndex},
        {4, QStringLiteral("lines found by their invoice"), indexLinesByInvoice},
        // Append the next step here: {5, QStringLiteral("..."), [](const QSqlDatabase& db,
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
