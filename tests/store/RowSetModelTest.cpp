#include "RowSetModel.h"
#include "Database.h"
#include "RowSet.h"
#include "SqlCommand.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class RowSetModelTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<Database> db_;

private slots:
    void init() {
        db_ = std::make_unique<Database>(dir_.path());
        for (int i = 1; i <= 3; ++i)
            SqlCommand::execute(db_->connection(),
                                "insert into detail (cid, 货物应税名称, 数量, 金额) values "
                                "(1, :n, :q, '2.5')",
                                {{"n", QString("货%1").arg(i)}, {"q", i}});
    }
    void cleanup() {
        SqlCommand::execute(db_->connection(), "delete * from detail");
        db_.reset();
    }

    void followsTheRowSet() {
        RowSet rs(db_->connection(), "select * from detail where cid=:cid order by id");
        rs.setParam("cid", 1);
        RowSetModel model(&rs, {"货物应税名称", "数量", "金额"});
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.rowCount(), 0);
        rs.open();
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.data(model.index(1, 0)).toString(), QString("货2"));
        QCOMPARE(model.data(model.index(0, 2)).toString(), QString("2.50"));
        rs.append();
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(model.currentRow(), 3);
        rs.cancel();
        QCOMPARE(model.rowCount(), 3);
        rs.insert();
        rs.setValue("货物应税名称", "新");
        rs.post();
        QCOMPARE(model.data(model.index(0, 0)).toString(), QString("新"));
        rs.deleteCurrent();
        QCOMPARE(model.rowCount(), 3);
        rs.sortBy("数量", Qt::DescendingOrder);
        QCOMPARE(model.data(model.index(0, 1)).toString(), QString("3"));
        rs.close();
        QCOMPARE(model.rowCount(), 0);
    }

    void editsGoThroughTheRowSet() {
        RowSet rs(db_->connection(), "select * from detail order by id");
        rs.open();
        RowSetModel model(&rs, {"货物应税名称", "数量", "id"});
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QStringList changed;
        connect(&rs, &RowSet::columnChanged, this, [&](const QString& c) { changed << c; });
        QSignalSpy current(&model, &RowSetModel::currentRowChanged);
        QVERIFY(model.setData(model.index(2, 1), "7.5"));
        QCOMPARE(rs.currentRow(), 2);
        QCOMPARE(current.count(), 1);
        QCOMPARE(rs.value("数量").toDouble(), 7.5);
        QCOMPARE(changed, QStringList{"数量"});
        QVERIFY(rs.isEditing());
        QVERIFY(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
        QVERIFY(!(model.flags(model.index(0, 2)) & Qt::ItemIsEditable)); // auto-number
        QVERIFY(model.setData(model.index(0, 0), "改")); // moving posts the edit of row 2
        RowSet check(db_->connection(), "select 数量 from detail order by id");
        check.open();
        check.last();
        QCOMPARE(check.value("数量").toDouble(), 7.5);
        QCOMPARE(rs.currentRow(), 0);
        QVERIFY(rs.isEditing());
    }
};

QTEST_GUILESS_MAIN(RowSetModelTest)
#include "RowSetModelTest.moc"
