#include "RowSet.h"
#include "Currency.h"
#include "Database.h"
#include "DbError.h"
#include "SqlCommand.h"
#include "SqlDialect.h"

#include <QCollator>
#include <QDate>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

// Three invoices (cid 1..3) with lines; invoice 3 has two lines, 2 has one, 1 none.
class RowSetTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<Database> db_;

    QSqlDatabase conn() const { return db_->connection(); }
    QVariant scalar(const QString& sql, const QVariantHash& params = {}) const {
        const auto t = SqlDialect().translate(sql);
        QSqlQuery q = SqlCommand::run(conn(), t.sql,
                                      SqlCommand::bindValues(conn(), t.parameterNames, params));
        return q.next() ? q.value(0) : QVariant();
    }
    void exec(const QString& sql) { SqlCommand::execute(conn(), sql); }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        db_ = std::make_unique<Database>(dir_->path());
        exec("insert into title (cid, 发票号码, 购货单位名称, 是否收款) values (1, '00000011', "
             "'张三', 1)");
        exec("insert into title (cid, 发票号码, 购货单位名称, 是否收款) values (2, '00000022', "
             "'李四', 0)");
        exec("insert into title (cid, 发票号码, 购货单位名称, 是否收款) values (3, '00000003', "
             "NULL, 0)");
        exec("insert into detail (cid, 货物应税名称, 金额) values (3, '纸', '1.5')");
        exec("insert into detail (cid, 货物应税名称, 金额) values (3, '笔', '20')");
        exec("insert into detail (cid, 货物应税名称, 金额) values (2, '墨', '0.01')");
    }
    void cleanup() {
        db_.reset();
        dir_.reset();
    }

    void openTwiceKeepsPosition() {
        RowSet rs(conn(), "select * from title order by cid desc");
        rs.open();
        QCOMPARE(rs.state(), RowSet::State::Browse);
        QCOMPARE(rs.rowCount(), 3);
        QCOMPARE(rs.value("cid").toLongLong(), 3);
        rs.moveTo(2);
        QSignalSpy resets(&rs, &RowSet::rowsReset);
        rs.open();
        QCOMPARE(rs.currentRow(), 2);
        QCOMPARE(resets.count(), 0);
        QVERIFY(!rs.columns().contains("rid"));
    }

    void valuesAreTyped() {
        RowSet rs(conn(), "select * from detail where cid=:cid order by id");
        rs.setParam("cid", 3);
        rs.open();
        QCOMPARE(rs.value("金额").value<Currency>(), Currency::fromUnits(15000));
        QCOMPARE(rs.value("cid").typeId(), int(QMetaType::LongLong));
        QVERIFY(rs.value("数量").isNull());
        QCOMPARE(rs.columnType("数量"), int(QMetaType::Double));
        QCOMPARE(rs.columnType("金额"), qMetaTypeId<Currency>());
        RowSet title(conn(), "select * from title where cid = 1");
        title.open();
        QCOMPARE(title.value("是否收款"), QVariant(true));
        QCOMPARE(title.columnType("开票日期"), int(QMetaType::QDate));
    }

    // What becomes of an unposted assignment.
    void pendingEditFate_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("written");
        QTest::newRow("post") << "post" << true;
        QTest::newRow("move to another row") << "move" << true;
        QTest::newRow("save all") << "saveAll" << true;
        QTest::newRow("append") << "append" << true;
        QTest::newRow("reload") << "reload" << false;
        QTest::newRow("cancel") << "cancel" << false;
        QTest::newRow("close") << "close" << false;
    }
    void pendingEditFate() {
        QFETCH(QString, action);
        QFETCH(bool, written);
        RowSet rs(conn(), "select * from title order by cid desc");
        rs.open();
        rs.setValue("收款人", "王五");
        QCOMPARE(rs.state(), RowSet::State::Edit);
        QVERIFY(scalar("select 收款人 from title where cid=3").isNull());
        const std::map<QString, std::function<void()>> actions = {
            {"post", [&] { rs.post(); }},       {"move", [&] { rs.next(); }},
            {"saveAll", [&] { rs.saveAll(); }}, {"append", [&] { rs.append(); }},
            {"reload", [&] { rs.reload(); }},   {"cancel", [&] { rs.cancel(); }},
            {"close", [&] { rs.close(); }}};
        actions.at(action)();
        QCOMPARE(scalar("select 收款人 from title where cid=3").toString(),
                 written ? QString("王五") : QString());
        QCOMPARE(scalar("select count(*) from title").toInt(), 3);
    }

    void cancelRestoresTheRow() {
        RowSet rs(conn(), "select * from title order by cid");
        rs.open();
        rs.setValue("购货单位名称", "改");
        QSignalSpy changes(&rs, &RowSet::dataChanged);
        rs.cancel();
        QCOMPARE(rs.value("购货单位名称").toString(), QString("张三"));
        QCOMPARE(changes.count(), 1);
    }

    void assignmentSignalsChainDepthFirst() {
        RowSet rs(conn(), "select * from detail where cid=:cid order by id");
        rs.setParam("cid", 3);
        rs.open();
        QStringList log;
        connect(&rs, &RowSet::columnChanged, this, [&](const QString& c) {
            log << "changed " + c;
            if (c == "数量")
                rs.setValue("金额",
                            QVariant::fromValue(Currency::fromDouble(rs.value("数量").toDouble())));
        });
        connect(&rs, &RowSet::dataChanged, this, [&](const QString& c) { log << "data " + c; });
        rs.setValue("数量", 2.0);
        QCOMPARE(log, QStringList({"changed 数量", "changed 金额", "data 金额", "data 数量"}));
        log.clear();
        rs.setValue("数量", 2.0);
        QCOMPARE(log.size(), 4); // an equal value notifies too
        QCOMPARE(rs.value("金额").value<Currency>(), Currency::fromUnits(20000));
    }

    void movingAndReloadingNotify() {
        RowSet rs(conn(), "select * from title");
        rs.open();
        QSignalSpy changes(&rs, &RowSet::dataChanged);
        rs.next();
        rs.next();
        rs.next(); // already last: no move
        rs.reload();
        QCOMPARE(changes.count(), 3);
        for (const auto& args : changes)
            QCOMPARE(args.at(0).toString(), QString());
        QCOMPARE(rs.currentRow(), 0);
    }

    void parametersAreValuesNotText() {
        RowSet rs(conn(), "select * from title where 发票号码 like :no or 购货单位名称 = ':no'");
        rs.setParam(":NO", "x' or '1'='1");
        rs.open();
        QCOMPARE(rs.rowCount(), 0);
        rs.setParam("no", "%22%");
        rs.reload();
        QCOMPARE(rs.rowCount(), 1);
        QCOMPARE(rs.value("cid").toLongLong(), 2);
    }

    void detailFollowsMaster() {
        RowSet title(conn(), "select * from title order by cid desc");
        RowSet detail(conn(), "select * from detail where cid=:cid");
        detail.setMaster(&title, "cid", "cid", "cid");
        title.open();
        detail.open();
        QCOMPARE(detail.rowCount(), 2);
        title.next();
        QCOMPARE(detail.rowCount(), 1);
        QCOMPARE(detail.value("货物应税名称").toString(), QString("墨"));
        title.next();
        QVERIFY(detail.isEmpty());
        detail.append();
        QCOMPARE(detail.value("cid").toLongLong(), 1);
        QVERIFY(detail.isUntouchedInsert());
        detail.setValue("货物应税名称", "");
        QVERIFY(!detail.isUntouchedInsert());
        detail.saveAll();
        QVERIFY(detail.value("id").toLongLong() > 3);
        QCOMPARE(scalar("select cid from detail where id=:id", {{"id", detail.value("id")}}),
                 QVariant(1));
        QCOMPARE(scalar("select 货物应税名称 from detail where cid=1").toString(), QString(""));
        QVERIFY(!scalar("select 货物应税名称 from detail where cid=1").isNull());
    }

    void linesOfANewInvoiceTakeItsKey() {
        RowSet title(conn(), "select * from title order by cid desc");
        RowSet detail(conn(), "select * from detail where cid=:cid");
        detail.setMaster(&title, "cid", "cid", "cid");
        title.open();
        detail.open();
        title.append();
        QVERIFY(detail.isEmpty());
        title.setValue("发票号码", "9");
        title.post();
        detail.append();
        QCOMPARE(detail.value("cid").toLongLong(), 4);
    }

    void masterMovePostsDetailEdit() {
        RowSet title(conn(), "select * from title order by cid desc");
        RowSet detail(conn(), "select * from detail where cid=:cid");
        detail.setMaster(&title, "cid", "cid", "cid");
        title.open();
        detail.open();
        detail.setValue("数量", 4.0);
        title.next();
        QCOMPARE(scalar("select 数量 from detail where cid=3 order by id").toDouble(), 4.0);
        QCOMPARE(detail.state(), RowSet::State::Browse);
    }

    void untouchedNewRowIsDropped() {
        RowSet rs(conn(), "select * from detail order by id");
        rs.open();
        rs.moveTo(1);
        rs.insert();
        QCOMPARE(rs.currentRow(), 1);
        QCOMPARE(rs.rowCount(), 4);
        rs.moveTo(3); // the row after the new one, formerly row 2
        QCOMPARE(rs.rowCount(), 3);
        QCOMPARE(rs.currentRow(), 2);
        QCOMPARE(rs.value("货物应税名称").toString(), QString("墨"));
        QCOMPARE(scalar("select count(*) from detail").toInt(), 3);
    }

    void newTitleGetsLargestCidPlusOne() {
        RowSet rs(conn(), "select * from title order by cid desc");
        rs.open();
        rs.append();
        rs.setValue("发票号码", "123");
        rs.post();
        QCOMPARE(rs.value("cid").toLongLong(), 4);
    }

    void equalRowsAreAddressedByKey() {
        exec("insert into 购货单位 (单位名称) values ('同名')");
        exec("insert into 购货单位 (单位名称) values ('同名')");
        RowSet rs(conn(), "select  * from 购货单位 order by 单位名称");
        rs.open();
        QCOMPARE(rs.columns(),
                 QStringList({"单位名称", "纳税人识别号", "地址电话", "开户行及帐号"}));
        rs.setValue("纳税人识别号", "91");
        rs.post();
        QCOMPARE(scalar("select count(*) from 购货单位 where 纳税人识别号='91'").toInt(), 1);
        rs.deleteCurrent();
        QCOMPARE(scalar("select count(*) from 购货单位").toInt(), 1);
        QCOMPARE(rs.rowCount(), 1);
        QCOMPARE(rs.currentRow(), 0);
    }

    void deleteWritesAtOnce() {
        RowSet rs(conn(), "select * from detail where cid=3 order by id");
        rs.open();
        QSignalSpy removed(&rs, &RowSet::rowRemoved);
        rs.deleteCurrent();
        QCOMPARE(removed.count(), 1);
        QCOMPARE(scalar("select count(*) from detail where cid=3").toInt(), 1);
        QCOMPARE(rs.value("货物应税名称").toString(), QString("笔"));
    }

    void moneyIsStoredAsPlainDecimal() {
        RowSet rs(conn(), "select * from detail where cid=2");
        rs.open();
        rs.setValue("金额", "12.3400");
        rs.setValue("税额", QVariant::fromValue(Currency::fromUnits(5)));
        rs.post();
        QCOMPARE(scalar("select cast(金额 as text) from detail where cid=2").toString(),
                 QString("12.34"));
        QCOMPARE(scalar("select cast(税额 as text) from detail where cid=2").toString(),
                 QString("0.0005"));
        rs.reload();
        QCOMPARE(rs.value("金额").value<Currency>(), Currency::fromUnits(123400));
    }

    void datesAndFlagsRoundTrip() {
        RowSet rs(conn(), "select * from title where cid=2");
        rs.open();
        rs.setValue("开票日期", QDate(2008, 9, 5));
        rs.setValue("含税单价", true);
        rs.post();
        QCOMPARE(scalar("select 开票日期 from title where cid=2").toString(),
                 QString("2008-09-05"));
        QCOMPARE(scalar("select 含税单价 from title where cid=2").toInt(), 1);
        rs.reload();
        QCOMPARE(rs.value("开票日期").toDate(), QDate(2008, 9, 5));
        QCOMPARE(rs.value("含税单价"), QVariant(true));
    }

    void badValuesAreRefused_data() {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("text for a number") << "数量" << QVariant("abc");
        QTest::newRow("text for an amount") << "金额" << QVariant("1,5");
        QTest::newRow("name too long") << "货物应税名称" << QVariant(QString(251, u'字'));
        QTest::newRow("auto-number key") << "id" << QVariant(99);
        QTest::newRow("unknown column") << "nosuch" << QVariant(1);
    }
    void badValuesAreRefused() {
        QFETCH(QString, column);
        QFETCH(QVariant, value);
        RowSet rs(conn(), "select * from detail where cid=3");
        rs.open();
        QVERIFY_THROWS_EXCEPTION(DbError, rs.setValue(column, value));
        QCOMPARE(rs.state(), RowSet::State::Browse);
    }

    void readOnlyWhenSeveralTables() {
        RowSet rs(conn(), "select title.cid, detail.金额 from title, detail "
                          "where title.cid = detail.cid order by detail.id");
        rs.open();
        QCOMPARE(rs.rowCount(), 3);
        QCOMPARE(rs.value("金额").value<Currency>(), Currency::fromUnits(15000));
        QVERIFY(rs.writableTable().isEmpty());
        QVERIFY_THROWS_EXCEPTION(DbError, rs.setValue("金额", 1));
    }

    void rowDeletedElsewhereIsReported() {
        RowSet rs(conn(), "select * from detail where cid=2");
        rs.open();
        rs.setValue("单位", "个");
        exec("delete * from detail where cid=2");
        QVERIFY_THROWS_EXCEPTION(DbError, rs.post());
        QCOMPARE(rs.state(), RowSet::State::Edit);
    }

    void twoConnectionsEditTheSameRows() {
        Database other(dir_->path());
        RowSet mine(conn(), "select * from title order by cid");
        RowSet theirs(other.connection(), "select * from title order by cid");
        mine.open();
        theirs.open();
        theirs.setValue("复核", "乙");
        theirs.post();
        mine.setValue("开票人", "甲"); // read before their write, written after it
        mine.post();
        mine.reload();
        QCOMPARE(mine.value("复核").toString(), QString("乙"));
        QCOMPARE(mine.value("开票人").toString(), QString("甲"));
    }

    void saveAllRereadsTheCurrentRow() {
        RowSet rs(conn(), "select * from title where cid=2");
        rs.open();
        exec("update title set 开票人='赵' where cid=2");
        rs.saveAll();
        QCOMPARE(rs.value("开票人").toString(), QString("赵"));
    }

    void aboutToPostLetsEditorsWrite() {
        RowSet rs(conn(), "select * from title where cid=2");
        rs.open();
        rs.edit();
        connect(&rs, &RowSet::aboutToPost, this, [&] { rs.setValue("密码7", "00000022"); });
        rs.next(); // nothing assigned yet: the editor's text still goes in
        rs.saveAll();
        QCOMPARE(scalar("select 密码7 from title where cid=2").toString(), QString("00000022"));
    }

    void jetStatementsRun() {
        RowSet unpaid(conn(), "select * from title where 是否收款=false order by cid");
        unpaid.open();
        QCOMPARE(unpaid.rowCount(), 2);
        SqlCommand::execute(conn(), "delete * from qry1");
        SqlCommand::execute(conn(),
                            "insert into  qry1 \nSELECT title.cid, Str([发票号码])+\"  \"+"
                            "[购货单位名称] AS hcom,title.小写金额 as tje FROM title\n"
                            " WHERE  1=1 and 购货单位名称=:pcm",
                            {{"pcm", "李四"}});
        RowSet report(conn(), "SELECT * FROM qry1 order by hcom ");
        report.open();
        QCOMPARE(report.rowCount(), 1);
        QCOMPARE(report.value("hcom").toString(), QString(" 22  李四"));
    }

    void sortsInMemory_data() {
        QTest::addColumn<QString>("column");
        QTest::addColumn<int>("order");
        QTest::addColumn<QList<qint64>>("cids");
        QTest::newRow("text by pinyin, null first")
            << "购货单位名称" << int(Qt::AscendingOrder) << QList<qint64>{3, 2, 4, 1};
        QTest::newRow("text descending")
            << "购货单位名称" << int(Qt::DescendingOrder) << QList<qint64>{1, 4, 2, 3};
        QTest::newRow("money by value")
            << "小写金额" << int(Qt::AscendingOrder) << QList<qint64>{3, 4, 2, 1};
        QTest::newRow("dates") << "开票日期" << int(Qt::DescendingOrder)
                               << QList<qint64>{1, 2, 4, 3};
        QTest::newRow("flags") << "是否收款" << int(Qt::AscendingOrder)
                               << QList<qint64>{4, 3, 2, 1}; // stable: equal rows keep their order
    }
    void sortsInMemory() {
        QFETCH(QString, column);
        QFETCH(int, order);
        QFETCH(QList<qint64>, cids);
        exec("insert into title (cid, 购货单位名称, 是否收款) values (4, '王五', 0)");
        exec("update title set 小写金额='9' where cid=2");
        exec("update title set 小写金额='10' where cid=1");
        exec("update title set 小写金额='0.5' where cid=4");
        exec("update title set 开票日期='2008-01-02' where cid=2");
        exec("update title set 开票日期='2009-01-01' where cid=1");
        exec("update title set 开票日期='2007-12-31' where cid=4");
        RowSet rs(conn(), "select * from title order by cid desc");
        rs.open();
        rs.moveTo(1);
        const qint64 current = rs.value("cid").toLongLong();
        exec("delete from title"); // the sort must not read again
        QCollator pinyin{QLocale(QLocale::Chinese, QLocale::China)};
        rs.sortBy(column, Qt::SortOrder(order), &pinyin);
        QList<qint64> got;
        for (int r = 0; r < rs.rowCount(); ++r)
            got << rs.value(r, "cid").toLongLong();
        QCOMPARE(got, cids);
        QCOMPARE(rs.value("cid").toLongLong(), current);
    }
};

QTEST_GUILESS_MAIN(RowSetTest)
#include "RowSetTest.moc"
