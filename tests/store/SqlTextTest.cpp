#include "ConnectionDescription.h"
#include "DbError.h"
#include "SelectSource.h"
#include "SqlDialect.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

// The pure text functions of the store: Jet statements in our engines' SQL, the table a SELECT
// writes back to, and the connection description.
class SqlTextTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "str");
        db.setDatabaseName(":memory:");
        QVERIFY(db.open());
    }
    void cleanupTestCase() { QSqlDatabase::removeDatabase("str"); }

    void translate_data() {
        QTest::addColumn<bool>("postgres");
        QTest::addColumn<QString>("jet");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("params");
        QTest::newRow("delete star") << false << "delete * from qry1"
                                     << "delete from qry1" << QStringList();
        QTest::newRow("false") << false << " WHERE  1=1 and title.是否收款=false"
                               << " WHERE  1=1 and title.是否收款=0" << QStringList();
        QTest::newRow("named parameters")
            << false << "where 发票号码 like :idno or 购货单位名称 like :comp"
            << "where 发票号码 like ? or 购货单位名称 like ?" << QStringList{"idno", "comp"};
        QTest::newRow("colon inside a literal")
            << false << "select ':x', \"a:b\" from t where a=:x"
            << "select ':x', 'a:b' from t where a=?" << QStringList{"x"};
        QTest::newRow("double quotes are text") << false << "select \"it's\""
                                                << "select 'it''s'" << QStringList();
        QTest::newRow("ampersand joins text") << false << "select a & b from t"
                                              << "select a || b from t" << QStringList();
        QTest::newRow("plus of numbers stays") << false << "select a+1, [b] + [c] from t"
                                               << "select a+1, [b] + [c] from t" << QStringList();
        QTest::newRow("plus next to text joins") << false << "select [a]+'x'+[b] from t"
                                                 << "select [a]||'x'||[b] from t" << QStringList();
        QTest::newRow("parameter inside Str binds each copy")
            << false << "select Str(:n) from t"
            << "select (CASE WHEN ((?)+0) < 0 THEN '' ELSE ' ' END || ((?)+0)) from t"
            << QStringList{"n", "n"};
        QTest::newRow("drop table") << false << "Drop Table qry2"
                                    << "Drop Table qry2" << QStringList();
        QTest::newRow("postgres names, like and booleans")
            << true << "select * from [t] where a like :p and b=false"
            << "select * from \"t\" where a ILIKE ? and b=false" << QStringList{"p"};
    }
    void translate() {
        QFETCH(bool, postgres);
        QFETCH(QString, jet);
        QFETCH(QString, sql);
        QFETCH(QStringList, params);
        const SqlDialect dialect(postgres ? SqlDialect::Engine::PostgreSQL
                                          : SqlDialect::Engine::SQLite);
        const auto t = dialect.translate(jet);
        QCOMPARE(t.sql, sql);
        QCOMPARE(t.parameterNames, params);
    }

    // Jet's Str gives a blank before a number that is not negative and drops leading zeros.
    void strFunction_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QVariant>("text");
        QTest::newRow("digits") << QVariant("00012345") << QVariant(" 12345");
        QTest::newRow("negative") << QVariant(-5) << QVariant("-5");
        QTest::newRow("fraction") << QVariant(1.5) << QVariant(" 1.5");
        QTest::newRow("null") << QVariant() << QVariant();
    }
    void strFunction() {
        QFETCH(QVariant, value);
        QFETCH(QVariant, text);
        QSqlQuery q(QSqlDatabase::database("str"));
        const auto t = SqlDialect().translate("select Str(:v)+\"|\"");
        QVERIFY(q.prepare(t.sql));
        for (int i = 0; i < t.parameterNames.size(); ++i)
            q.addBindValue(value);
        QVERIFY(q.exec() && q.next());
        QCOMPARE(q.value(0).isNull(), text.isNull());
        if (!text.isNull())
            QCOMPARE(q.value(0).toString(), text.toString() + "|");
    }

    void selectSource_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("tables");
        QTest::addColumn<QString>("writable");
        QTest::newRow("list") << "select * from title order by cid desc" << QStringList{"title"}
                              << "title";
        QTest::newRow("two blanks, Chinese name")
            << "select  * from 购货单位 order by 单位名称" << QStringList{"购货单位"} << "购货单位";
        QTest::newRow("bracketed") << "SELECT * FROM [fpset1]" << QStringList{"fpset1"} << "fpset1";
        QTest::newRow("subquery in where")
            << "select * from title where cid in (select cid from detail)" << QStringList{"title"}
            << "title";
        QTest::newRow("distinct") << "select distinct 购货单位名称 from title "
                                  << QStringList{"title"} << "";
        QTest::newRow("comma join") << "select title.cid, detail.金额 from title, detail"
                                    << QStringList{"title", "detail"} << "";
        QTest::newRow("join") << "select * from title t left join detail d on t.cid=d.cid"
                              << QStringList{"title", "detail"} << "";
        QTest::newRow("grouped") << "select cid, count(*) from detail group by cid"
                                 << QStringList{"detail"} << "";
        QTest::newRow("from a subquery")
            << "select * from (select * from title)" << QStringList() << "";
        QTest::newRow("not a select") << "delete from title" << QStringList() << "";
    }
    void selectSource() {
        QFETCH(QString, sql);
        QFETCH(QStringList, tables);
        QFETCH(QString, writable);
        const SelectSource source = SelectSource::of(sql);
        QCOMPARE(source.tables(), tables);
        QCOMPARE(source.writableTable(), writable);
    }

    void descriptionOfAFolder_data() {
        QTest::addColumn<QString>("folder");
        QTest::newRow("without separator") << "/srv/fapiao";
        QTest::newRow("with separator") << "/srv/fapiao/";
    }
    void descriptionOfAFolder() {
        QFETCH(QString, folder);
        const ConnectionDescription d = ConnectionDescription::forFolder(folder);
        QCOMPARE(d.toString(),
                 QString("Provider=Microsoft.Jet.OLEDB.4.0;Password=quamlzexo#((&;User ID=fp;"
                         "Data Source=/srv/fapiao/kolu.mdb;Mode=Share Deny None;"
                         "Extended Properties=\"\";Jet OLEDB:System database=Security.mdw;"
                         "Jet OLEDB:Registry Path=\"\";Jet OLEDB:Database Password=\"\";"
                         "Jet OLEDB:New Database Password=\"\""));
        const auto s = ConnectionDescription::parse(d.toString()).sqlSettings();
        QCOMPARE(s.driver, QString("QSQLITE"));
        QCOMPARE(s.databaseName, QString("/srv/fapiao/kolu.mdb"));
        QVERIFY(s.connectOptions.contains("QSQLITE_BUSY_TIMEOUT"));
    }

    void folderWithSemicolonSurvives() {
        const auto d = ConnectionDescription::forFolder("/tmp/a;b \"c\"");
        QCOMPARE(ConnectionDescription::parse(d.toString()).sqlSettings().databaseName,
                 QString("/tmp/a;b \"c\"/kolu.mdb"));
    }

    void parseKeepsQuotedValues() {
        const auto d = ConnectionDescription::parse(
            "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/x/a.xls;"
            "Extended Properties=\"Excel 8.0;IMEX=1\";Persist Security Info=False");
        QCOMPARE(d.value("extended properties"), QString("Excel 8.0;IMEX=1"));
        QCOMPARE(d.value("Persist Security Info"), QString("False"));
        QCOMPARE(d.value("Missing"), QString());
    }

    void postgresMapping_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::newRow("host, port and database")
            << "Provider=PostgreSQL;Data Source=db.example:5433/fapiao;User ID=fp;"
               "Password=\"a;b\""
            << "db.example" << 5433 << "fapiao"
            << "fp"
            << "a;b";
        QTest::newRow("initial catalog")
            << "Provider=PostgreSQL OLE DB Provider;Data Source=localhost;Initial Catalog=kolu"
            << "localhost" << 5432 << "kolu"
            << ""
            << "";
    }
    void postgresMapping() {
        QFETCH(QString, text);
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(QString, database);
        QFETCH(QString, user);
        QFETCH(QString, password);
        const auto d = ConnectionDescription::parse(text);
        QCOMPARE(d.engine(), ConnectionDescription::Engine::PostgreSQL);
        const auto s = d.sqlSettings();
        QCOMPARE(s.driver, QString("QPSQL"));
        QCOMPARE(s.hostName, host);
        QCOMPARE(s.port, port);
        QCOMPARE(s.databaseName, database);
        QCOMPARE(s.userName, user);
        QCOMPARE(s.password, password);
    }

    void badDescriptionsAreErrors_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("no pairs") << "kolu.mdb";
        QTest::newRow("unknown provider") << "Provider=SQLOLEDB;Data Source=x";
        QTest::newRow("postgres without database") << "Provider=PostgreSQL;Data Source=host";
    }
    void badDescriptionsAreErrors() {
        QFETCH(QString, text);
        QVERIFY_THROWS_EXCEPTION(DbError, ConnectionDescription::parse(text).sqlSettings());
    }
};

QTEST_GUILESS_MAIN(SqlTextTest)
#include "SqlTextTest.moc"
