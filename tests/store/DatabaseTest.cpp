#include "Database.h"
#include "DbError.h"
#include "Migrations.h"
#include "SqlCommand.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

class DatabaseTest : public QObject {
    Q_OBJECT

    static QString dbFile(const QTemporaryDir& dir) { return dir.filePath("kolu.mdb"); }

    static QVariant scalar(const Database& db, const QString& sql) {
        QSqlQuery q = SqlCommand::run(db.connection(), sql);
        return q.next() ? q.value(0) : QVariant();
    }

private slots:
    void newFileHasEveryTableAndFirstRows() {
        QTemporaryDir dir;
        Database db(dir.path());
        QCOMPARE(db.filePath(), dbFile(dir));
        QCOMPARE(db.schemaVersion(), Migrations::latestVersion());
        QVERIFY2(db.check().isEmpty(), qPrintable(db.check().join('\n')));
        QCOMPARE(scalar(db, "select count(*) from usertable").toInt(), 1);
        QCOMPARE(scalar(db, "select 用户 from usertable").toString(), QString("A"));
        QVERIFY(scalar(db, "select 密码 from usertable").isNull());
        QCOMPARE(scalar(db, "select 提示 from usertable").toInt(), 0);
        QCOMPARE(scalar(db, "select count(*) from fpdz").toInt(), 1);
        QCOMPARE(scalar(db, "select fpdz from fpdz").toString(), QString());
        QCOMPARE(scalar(db, "PRAGMA journal_mode").toString(), QString("wal"));
        QStringList detail;
        for (const auto& c : db.table("detail").columns)
            detail << c.name;
        QCOMPARE(detail, QString("id cid 货物应税名称 规格型号 单位 数量 单价 金额 税率 税额 其它1 "
                                 "其它2 其它3 其它4 其它5 其它6")
                             .split(' '));
    }

    void reopeningKeepsDataAndVersion() {
        QTemporaryDir dir;
        {
            Database db(dir.path());
            SqlCommand::execute(db.connection(),
                                "insert into title (cid, 发票号码) values (7, '1')");
        }
        Database again(dir.path(), Database::Creation::ExistingOnly);
        QCOMPARE(scalar(again, "select count(*) from title").toInt(), 1);
        QCOMPARE(scalar(again, "select count(*) from usertable").toInt(), 1);
        QCOMPARE(again.schemaVersion(), Migrations::latestVersion());
    }

    void missingFileWithExistingOnlyIsAnError() {
        QTemporaryDir dir;
        QVERIFY_THROWS_EXCEPTION(DbError, Database(dir.path(), Database::Creation::ExistingOnly));
        QVERIFY(!QFile::exists(dbFile(dir)));
    }

    void foreignFileIsRefusedAndLeftAlone_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("wording");
        QByteArray jet("\0\1\0\0Standard Jet DB\0", 20);
        jet.append(2000, '\x55');
        QByteArray ace("\0\1\0\0Standard ACE DB\0", 20);
        ace.append(2000, '\x11');
        QTest::newRow("access jet") << jet << "Access";
        QTest::newRow("access ace") << ace << "Access";
        QTest::newRow("text") << QByteArray("invoice,amount\n1,2\n") << "不是本程序";
        QTest::newRow("broken sqlite")
            << QByteArray("SQLite format 3\0", 16) + QByteArray(5000, '\x7f') << "损坏";
    }
    void foreignFileIsRefusedAndLeftAlone() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, wording);
        QTemporaryDir dir;
        QFile f(dbFile(dir));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        try {
            Database db(dir.path());
            QFAIL("a foreign file was opened");
        } catch (const DbError& e) {
            QVERIFY2(e.message().contains(wording), qPrintable(e.message()));
            QVERIFY2(e.message().contains(dbFile(dir)), qPrintable(e.message()));
        }
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), bytes);
        QVERIFY(!QFile::exists(dbFile(dir) + "-wal"));
    }

    void otherProgramsSqliteFileIsRefused() {
        QTemporaryDir dir;
        {
            QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other");
            other.setDatabaseName(dbFile(dir));
            QVERIFY(other.open());
            QSqlQuery(other).exec("create table customers (name text)");
            other.close();
        }
        QSqlDatabase::removeDatabase("other");
        const QByteArray before = [&] {
            QFile f(dbFile(dir));
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        QVERIFY_THROWS_EXCEPTION(DbError, Database(dir.path()));
        QFile f(dbFile(dir));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }

    void folderNamedLikeTheFileIsRefused() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("kolu.mdb"));
        try {
            Database db(dir.path());
            QFAIL("a folder was opened");
        } catch (const DbError& e) {
            QVERIFY(e.message().contains("文件夹"));
        }
    }

    void missingFolderIsAnError() {
        QTemporaryDir dir;
        QVERIFY_THROWS_EXCEPTION(DbError, Database(dir.filePath("nowhere")));
    }

    void twoConnectionsWriteTheSameFile() {
        QTemporaryDir dir;
        Database a(dir.path());
        Database b(dir.path());
        for (int i = 0; i < 20; ++i) {
            Database& writer = i % 2 ? a : b;
            writer.writeTransaction([&] {
                SqlCommand::execute(writer.connection(),
                                    "insert into 购货单位 (单位名称) values (:n)",
                                    {{"n", QString("单位%1").arg(i)}});
            });
        }
        QCOMPARE(scalar(a, "select count(*) from 购货单位").toInt(), 20);
        QCOMPARE(scalar(b, "select count(*) from 购货单位").toInt(), 20);
    }

    // Other processes (here the sqlite3 shell) write while this one does; nobody loses a row.
    void otherProcessesWriteAtTheSameTime() {
        QTemporaryDir dir;
        Database db(dir.path());
        QString script = ".timeout 10000\n";
        for (int i = 0; i < 50; ++i)
            script +=
                QString("begin immediate; insert into sp (名称) values ('外%1'); commit;\n").arg(i);
        QList<QProcess*> others;
        for (int p = 0; p < 3; ++p) {
            auto* other = new QProcess(this);
            other->start("sqlite3", {dbFile(dir)});
            QVERIFY(other->waitForStarted());
            other->write(script.toUtf8());
            other->closeWriteChannel();
            others << other;
        }
        for (int i = 0; i < 50; ++i)
            db.writeTransaction([&] {
                SqlCommand::execute(db.connection(), "insert into sp (名称) values (:n)",
                                    {{"n", QString("内%1").arg(i)}});
            });
        for (QProcess* other : others) {
            QVERIFY(other->waitForFinished(60000));
            QCOMPARE(other->exitCode(), 0);
            QCOMPARE(other->readAllStandardError(), QByteArray());
        }
        QCOMPARE(scalar(db, "select count(*) from sp").toInt(), 200);
    }

    // Users back up by copying kolu.mdb alone, also while the program runs.
    void copyOfTheFileHoldsCommittedWrites() {
        QTemporaryDir dir;
        QTemporaryDir backup;
        Database db(dir.path());
        db.writeTransaction(
            [&] { SqlCommand::execute(db.connection(), "insert into sp (名称) values ('笔')"); });
        QVERIFY(QFile::copy(dbFile(dir), dbFile(backup)));
        Database copy(backup.path());
        QCOMPARE(scalar(copy, "select 名称 from sp").toString(), QString("笔"));
    }

    void failedWriteTransactionLeavesNothing() {
        QTemporaryDir dir;
        Database db(dir.path());
        QVERIFY_THROWS_EXCEPTION(DbError, db.writeTransaction([&] {
            SqlCommand::execute(db.connection(), "insert into sp (名称) values ('x')");
            SqlCommand::execute(db.connection(), "insert into nosuchtable values (1)");
        }));
        QCOMPARE(scalar(db, "select count(*) from sp").toInt(), 0);
    }

    void checkNamesMissingPiecesAndFile() {
        QTemporaryDir dir;
        Database db(dir.path());
        SqlCommand::run(db.connection(), "drop table fpset2");
        SqlCommand::run(db.connection(), "alter table detail drop column 其它6");
        SqlCommand::run(db.connection(), "delete from fpdz");
        const QStringList faults = db.check();
        QCOMPARE(faults.size(), 3);
        for (const QString& f : faults)
            QVERIFY2(f.startsWith(dbFile(dir)), qPrintable(f));
        QVERIFY(faults.join('\n').contains("fpset2"));
        QVERIFY(faults.join('\n').contains("其它6"));
        QVERIFY(faults.join('\n').contains("fpdz"));
    }

    void checkFindsWrongDetailOrder() {
        QTemporaryDir dir;
        Database db(dir.path());
        SqlCommand::run(db.connection(), "drop table detail");
        SqlCommand::run(
            db.connection(),
            "create table detail (id INTEGER PRIMARY KEY, 货物应税名称 VARCHAR(250), "
            "cid INTEGER, 规格型号 VARCHAR(50), 单位 VARCHAR(20), 数量 DOUBLE PRECISION, "
            "单价 DOUBLE PRECISION, 金额 NUMERIC(19,4), 税率 DOUBLE PRECISION, 税额 "
            "NUMERIC(19,4), 其它1 VARCHAR(50), 其它2 VARCHAR(50), 其它3 VARCHAR(50), "
            "其它4 DOUBLE PRECISION, 其它5 DOUBLE PRECISION, 其它6 TEXT)");
        const QString faults = db.check().join('\n');
        QVERIFY2(faults.contains("第 2 个字段"), qPrintable(faults));
        QVERIFY2(faults.contains("其它6"), qPrintable(faults));
    }

    void newerFileIsRefused() {
        QTemporaryDir dir;
        {
            Database db(dir.path());
            SqlCommand::run(
                db.connection(),
                QString("PRAGMA user_version = %1").arg(Migrations::latestVersion() + 1));
        }
        QVERIFY_THROWS_EXCEPTION(DbError, Database(dir.path()));
    }
};

QTEST_GUILESS_MAIN(DatabaseTest)
#include "DatabaseTest.moc"
