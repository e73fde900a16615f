#include "Database.h"

#include "DatabaseFile.h"
#include "DbError.h"
#include "Migrations.h"
#include "SchemaDefinition.h"
#include "SqlCommand.h"
#include "SqlDialect.h"
#include "WriteTransaction.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <atomic>

namespace {

QString nextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("fapiao-db-%1").arg(++counter);
}

QString typeLabel(ColumnType type) {
    switch (type) {
    case ColumnType::Integer:
    case ColumnType::AutoNumber:
        return QStringLiteral("整数");
    case ColumnType::Double:
        return QStringLiteral("浮点数");
    case ColumnType::Currency:
        return QStringLiteral("货币");
    case ColumnType::YesNo:
        return QStringLiteral("是/否");
    case ColumnType::Date:
        return QStringLiteral("日期");
    default:
        return QStringLiteral("文本");
    }
}

ColumnType comparable(ColumnType type) {
    return type == ColumnType::AutoNumber ? ColumnType::Integer : type;
}

} // namespace

Database::Database(const QString& dataFolder, Creation creation)
    : Database(ConnectionDescription::forFolder(dataFolder), creation) {}

Database::Database(const ConnectionDescription& description, Creation creation) {
    const ConnectionDescription::SqlSettings settings = description.sqlSettings();
    if (settings.driver != u"QSQLITE")
        throw DbError(QStringLiteral("这个版本只能使用本机的数据库文件，不能连接 %1 服务器。")
                          .arg(description.value(QStringLiteral("Provider"))));
    openSqlite(settings, creation);
}

Database::~Database() {
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName_);
}

void Database::fail(const QString& message) {
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName_);
    throw DbError(message);
}

void Database::openSqlite(const ConnectionDescription::SqlSettings& settings, Creation creation) {
    filePath_ = settings.databaseName;
    const QString shown = QDir::toNativeSeparators(filePath_);
    const QFileInfo info(filePath_);
    if (!info.absoluteDir().exists())
        throw DbError(QStringLiteral("数据库文件夹 %1 不存在。")
                          .arg(QDir::toNativeSeparators(info.absolutePath())));
    const DatabaseFile::Kind kind = DatabaseFile::classify(filePath_);
    const QString problem = DatabaseFile::problem(kind, filePath_);
    if (!problem.isEmpty())
        throw DbError(problem);
    if (kind == DatabaseFile::Kind::Missing && creation == Creation::ExistingOnly)
        throw DbError(QStringLiteral("数据库文件 %1 不存在。").arg(shown));

    connectionName_ = nextConnectionName();
    QString openError;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(settings.driver, connectionName_);
        db.setDatabaseName(filePath_);
        db.setConnectOptions(settings.connectOptions);
        if (!db.open())
            openError = db.lastError().text();
    }
    if (!openError.isEmpty())
        fail(QStringLiteral("数据库文件 %1 无法打开：%2").arg(shown, openError));
    try {
        verifyOurs();
        configure();
        migrate();
    } catch (const DbError& e) {
        fail(e.message());
    }
}

// Reads only: nothing is written to a file that turns out not to be ours.
void Database::verifyOurs() {
    const QString shown = QDir::toNativeSeparators(filePath_);
    const QSqlDatabase db = connection();
    QSqlQuery quick(db);
    if (!quick.exec(QStringLiteral("PRAGMA quick_check")) || !quick.next() ||
        quick.value(0).toString() != u"ok")
        throw DbError(QStringLiteral("数据库文件 %1 已损坏，或不是本程序的数据库文件。"
                                     "文件没有被改动。")
                          .arg(shown));
    quick.finish();
    const int version = Migrations::version(db);
    if (version > Migrations::latestVersion())
        throw DbError(QStringLiteral("数据库文件 %1 由较新版本的程序建立（版本 %2），"
                                     "请使用新版本的程序打开。")
                          .arg(shown)
                          .arg(version));
    if (version == 0 && !tableNames().isEmpty())
        throw DbError(QStringLiteral("文件 %1 不是本程序的数据库文件（其中的表不是发票数据）。"
                                     "文件没有被改动。")
                          .arg(shown));
}

void Database::configure() {
    const QSqlDatabase db = connection();
    QSqlQuery journal = SqlCommand::run(db, QStringLiteral("PRAGMA journal_mode = WAL"));
    journal.finish();
    SqlCommand::run(db, QStringLiteral("PRAGMA synchronous = FULL"));
    SqlCommand::run(db, QStringLiteral("PRAGMA foreign_keys = OFF"));
    // Freed pages are zeroed, so an old plain-text password replaced by its hash is gone.
    SqlCommand::run(db, QStringLiteral("PRAGMA secure_delete = ON"));
}

void Database::migrate() {
    if (Migrations::version(connection()) >= Migrations::latestVersion())
        return;
    writeTransaction([this] {
        // Another program may have made the file while we waited for the lock.
        const int version = Migrations::version(connection());
        if (version == 0 && !tableNames().isEmpty())
            throw DbError(QStringLiteral("文件 %1 不是本程序的数据库文件。文件没有被改动。")
                              .arg(QDir::toNativeSeparators(filePath_)));
        Migrations::run(connection(), version);
    });
}

QSqlDatabase Database::connection() const {
    return QSqlDatabase::database(connectionName_, false);
}

QString Database::filePath() const {
    return filePath_;
}

int Database::schemaVersion() const {
    return Migrations::version(connection());
}

void Database::writeTransaction(const std::function<void()>& work) {
    WriteTransaction transaction(connection());
    work();
    transaction.commit();
}

QStringList Database::tableNames() const {
    QStringList names = connection().tables(QSql::Tables);
    names.removeIf([](const QString& n) { return n.startsWith(u"sqlite_"); });
    return names;
}

TableInfo Database::table(const QString& name) const {
    return SqlDialect::forDatabase(connection()).readTable(connection(), name);
}

QStringList Database::check() const {
    const QString file = QDir::toNativeSeparators(filePath_) + QStringLiteral("：");
    QStringList faults;
    QSqlQuery integrity = SqlCommand::run(connection(), QStringLiteral("PRAGMA integrity_check"));
    while (integrity.next())
        if (integrity.value(0).toString() != u"ok")
            faults << file + QStringLiteral("文件损坏：") + integrity.value(0).toString();
    integrity.finish();
    const int version = schemaVersion();
    if (version != Migrations::latestVersion())
        faults << file + QStringLiteral("数据库版本为 %1，本程序需要版本 %2")
                             .arg(version)
                             .arg(Migrations::latestVersion());
    for (const TableDefinition& def : SchemaDefinition::tables()) {
        const TableInfo info = table(def.name);
        if (!info.exists()) {
            faults << file + QStringLiteral("缺少表 %1").arg(def.name);
            continue;
        }
        for (const ColumnDefinition& c : def.columns) {
            const int i = info.indexOf(c.name);
            if (i < 0)
                faults << file + QStringLiteral("表 %1 缺少字段 %2").arg(def.name, c.name);
            else if (comparable(info.columns[i].type) != comparable(c.type))
                faults << file + QStringLiteral("表 %1 的字段 %2 应为%3类型")
                                     .arg(def.name, c.name, typeLabel(c.type));
        }
    }
    const TableInfo detail = table(QStringLiteral("detail"));
    const TableDefinition* detailDef = SchemaDefinition::table(QStringLiteral("detail"));
    for (int i = 0; i < detailDef->columns.size() && i < detail.columns.size(); ++i) {
        if (detail.columns[i].name != detailDef->columns[i].name) {
            faults << file + QStringLiteral("表 detail 的第 %1 个字段应为 %2，实际为 %3")
                                 .arg(i + 1)
                                 .arg(detailDef->columns[i].name, detail.columns[i].name);
            break;
        }
    }
    for (const char* table : {"fpdz", "usertable"}) {
        const QString name = QString::fromLatin1(table);
        if (!this->table(name).exists())
            continue;
        QSqlQuery rows = SqlCommand::run(
            connection(),
            QStringLiteral("SELECT COUNT(*) FROM %1").arg(SqlDialect().quoteName(name)));
        if (rows.next() && rows.value(0).toInt() == 0)
            faults << file + QStringLiteral("表 %1 中没有记录").arg(name);
    }
    return faults;
}
