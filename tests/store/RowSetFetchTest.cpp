#include "Database.h"
#include "DbError.h"
#include "RowSet.h"
#include "RowSetModel.h"
#include "SqlCommand.h"
#include "WriteTransaction.h"

#include <QAbstractItemModelTester>
#include <QSet>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

// Incremental reading of a long invoice list: the first rows at open, the rest from the event
// loop. The fixture holds more invoices than one background chunk reads.
class RowSetFetchTest : public QObject {
    Q_OBJECT

    static constexpr int Invoices = 12000;
    static constexpr int FirstRows = 10;
    static constexpr const char* ListSql = "select * from title order by cid desc";

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<Database> db_;

    QSqlDatabase conn() const { return db_->connection(); }

    static QList<qint64> cids(const RowSet& rs) {
        QList<qint64> list;
        for (int row = 0; row < rs.rowCount(); ++row)
            list << rs.value(row, "cid").toLongLong();
        return list;
    }
    static QStringList names(const RowSet& rs) {
        QStringList list;
        for (int row = 0; row < rs.rowCount(); ++row)
            list << rs.value(row, "购货单位名称").toString();
        return list;
    }
    std::unique_ptr<RowSet> openIncremental(const QString& sql = ListSql) {
        auto rs = std::make_unique<RowSet>(conn(), sql);
        rs->setIncrementalFetch(FirstRows);
        rs->open();
        return rs;
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        db_ = std::make_unique<Database>(dir_->path());
        WriteTransaction transaction(conn());
        QSqlQuery q(conn());
        q.prepare("insert into title (cid, 发票号码, 购货单位名称) values (?, ?, ?)");
        for (int cid = 1; cid <= Invoices; ++cid) {
            q.addBindValue(cid);
            q.addBindValue(QString::number(cid * 7919 % 100000).rightJustified(8, '0'));
            q.addBindValue(cid % 97 == 0 ? QVariant() : QVariant(QString("公司%1").arg(cid % 500)));
            QVERIFY(q.exec());
        }
        transaction.commit();
    }
    void cleanup() {
        db_.reset();
        dir_.reset();
    }

    void sameRowsAsAFullOpen_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("firstRows");
        QTest::newRow("whole list") << ListSql << "" << FirstRows;
        QTest::newRow("one row first") << ListSql << "" << 1;
        QTest::newRow("search") << "select * from title where 发票号码 like :p order by cid desc"
                                << "%1%" << FirstRows;
        QTest::newRow("fewer rows than the first read")
            << "select * from title where cid <= 5 order by cid desc"
            << "" << FirstRows;
        QTest::newRow("no rows") << "select * from title where cid < 0"
                                 << "" << FirstRows;
    }
    void sameRowsAsAFullOpen() {
        QFETCH(QString, sql);
        QFETCH(QString, pattern);
        QFETCH(int, firstRows);
        RowSet full(conn(), sql);
        full.setParam("p", pattern);
        full.open();

        RowSet rs(conn(), sql);
        rs.setParam("p", pattern);
        rs.setIncrementalFetch(firstRows);
        QSignalSpy appended(&rs, &RowSet::rowsAppended);
        QSignalSpy changed(&rs, &RowSet::dataChanged);
        rs.open();
        QCOMPARE(rs.rowCount(), std::min(firstRows, full.rowCount()));
        QCOMPARE(rs.isFetching(), full.rowCount() > firstRows);
        QCOMPARE(changed.count(), 1);
        QTRY_VERIFY(!rs.isFetching());

        QCOMPARE(cids(rs), cids(full));
        QCOMPARE(names(rs), names(full));
        QCOMPARE(rs.currentRow(), full.isEmpty() ? -1 : 0);
        QCOMPARE(changed.count(), 1); // background rows leave the current row alone
        int next = std::min(firstRows, full.rowCount());
        for (const QList<QVariant>& args : appended) {
            QCOMPARE(args[0].toInt(), next);
            next = args[1].toInt() + 1;
        }
        QCOMPARE(next, full.rowCount());
    }

    void closeDropsTheRead() {
        auto rs = openIncremental();
        QSignalSpy appended(rs.get(), &RowSet::rowsAppended);
        rs->close();
        QVERIFY(!rs->isFetching());
        QTest::qWait(50);
        QCOMPARE(appended.count(), 0);
        QCOMPARE(rs->rowCount(), 0);

        rs->open();
        rs->reload(); // a new search while the old one is still being read
        QCOMPARE(rs->rowCount(), FirstRows);
        rs->close();
        rs->setSql("select * from title where cid <= 20 order by cid desc");
        rs->open();
        QTRY_VERIFY(!rs->isFetching());
        QCOMPARE(rs->rowCount(), 20);
        QCOMPARE(rs->value(19, "cid").toLongLong(), 1);
    }

    void operationsNeedingAllRowsReadThem_data() {
        QTest::addColumn<std::function<void(RowSet&)>>("operation");
        QTest::addColumn<int>("rowsRead");
        QTest::addColumn<qint64>("currentCid");
        QTest::newRow("last") << std::function<void(RowSet&)>([](RowSet& rs) { rs.last(); })
                              << Invoices << qint64(1);
        QTest::newRow("sort") << std::function<void(RowSet&)>([](RowSet& rs) {
            rs.sortBy("cid", Qt::AscendingOrder);
        }) << Invoices << qint64(Invoices); // the current invoice stays current
        QTest::newRow("fetch all")
            << std::function<void(RowSet&)>([](RowSet& rs) { rs.fetchAll(); }) << Invoices
            << qint64(Invoices);
        QTest::newRow("move beyond the rows read")
            << std::function<void(RowSet&)>([](RowSet& rs) { rs.moveTo(500); }) << 501
            << qint64(Invoices - 500);
        QTest::newRow("move past the end")
            << std::function<void(RowSet&)>([](RowSet& rs) { rs.moveTo(Invoices + 5); }) << Invoices
            << qint64(1);
        QTest::newRow("next from the last row read")
            << std::function<void(RowSet&)>([](RowSet& rs) {
                   rs.moveTo(FirstRows - 1);
                   rs.next();
               })
            << FirstRows + 1 << qint64(Invoices - FirstRows);
        QTest::newRow("locate a late row")
            << std::function<void(RowSet&)>([](RowSet& rs) { rs.moveTo(rs.locate("cid", 2)); })
            << -1 << qint64(2);
    }
    void operationsNeedingAllRowsReadThem() {
        QFETCH(std::function<void(RowSet&)>, operation);
        QFETCH(int, rowsRead);
        QFETCH(qint64, currentCid);
        auto rs = openIncremental();
        operation(*rs);
        if (rowsRead >= 0)
            QCOMPARE(rs->rowCount(), rowsRead);
        QCOMPARE(rs->isFetching(), rs->rowCount() < Invoices);
        QCOMPARE(rs->value("cid").toLongLong(), currentCid);
    }

    void appendGoesAfterEveryRow() {
        auto rs = openIncremental();
        rs->append();
        QVERIFY(!rs->isFetching());
        QCOMPARE(rs->rowCount(), Invoices + 1);
        QCOMPARE(rs->currentRow(), Invoices);
        rs->cancel();
    }

    void locateFindsNothingAfterReadingAll() {
        auto rs = openIncremental();
        QCOMPARE(rs->locate("cid", Invoices + 1), -1);
        QCOMPARE(rs->rowCount(), Invoices);
        QCOMPARE(rs->locate("购货单位名称", QVariant()), Invoices - Invoices / 97 * 97);
    }

    void sortInForceReadsAtOpen() {
        auto rs = openIncremental();
        rs->sortBy("cid", Qt::AscendingOrder);
        rs->reload();
        QVERIFY(!rs->isFetching());
        QCOMPARE(rs->value("cid").toLongLong(), 1);
        rs->clearSort();
        rs->reload();
        QVERIFY(rs->isFetching());
    }

    // The read statement stays open on the connection the writes go through.
    void writesWhileReading() {
        auto rs = openIncremental();
        rs->moveTo(3);
        rs->setValue("购货单位名称", "改过的公司");
        rs->post();
        RowSet lines(conn(), "select * from detail where cid=:cid");
        lines.setParam("cid", Invoices - 3);
        lines.open();
        lines.append();
        lines.setValue("货物应税名称", "纸");
        lines.post();
        RowSet other(conn(), "select * from title where cid = 0");
        other.open();
        other.append();
        other.setValue("cid", Invoices + 1);
        other.post();
        rs->moveTo(5);
        rs->deleteCurrent();
        QVERIFY(rs->isFetching());
        QTRY_VERIFY(!rs->isFetching());

        const QList<qint64> read = cids(*rs);
        QCOMPARE(QSet<qint64>(read.begin(), read.end()).size(), read.size());
        QVERIFY(std::is_sorted(read.rbegin(), read.rend()));
        QVERIFY(read.contains(1));
        QCOMPARE(rs->value(3, "购货单位名称").toString(), QString("改过的公司"));

        RowSet check(conn(), "select * from title where 购货单位名称 = '改过的公司'");
        check.open();
        QCOMPARE(check.rowCount(), 1);
    }

    void modelGrowsWithTheRows() {
        RowSet rs(conn(), ListSql);
        rs.setIncrementalFetch(FirstRows);
        RowSetModel model(&rs, {"cid", "购货单位名称"});
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy current(&model, &RowSetModel::currentRowChanged);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        rs.open();
        QCOMPARE(model.rowCount(), FirstRows);
        QCOMPARE(current.count(), 1);
        QTRY_VERIFY(!rs.isFetching());
        QCOMPARE(model.rowCount(), Invoices);
        QVERIFY(inserted.count() > 1); // several chunks, not one
        QCOMPARE(model.data(model.index(Invoices - 1, 0)).toString(), QString("1"));
        QCOMPARE(current.count(), 1);
        QCOMPARE(model.currentRow(), 0);
        rs.reload();
        rs.close(); // mid-read
        QCOMPARE(model.rowCount(), 0);
    }
};

QTEST_GUILESS_MAIN(RowSetFetchTest)
#include "RowSetFetchTest.moc"
