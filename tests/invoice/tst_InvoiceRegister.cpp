#include "Currency.h"
#include "DbError.h"
#include "InvoiceFixture.h"
#include "InvoiceRegister.h"
#include "InvoiceWriter.h"
#include "SearchAsTyped.h"

#include <QSignalSpy>
#include <QTest>
#include <thread>

namespace {
const QString Name = QStringLiteral("货物应税名称");
const QString Buyer = QStringLiteral("购货单位名称");
} // namespace

class InvoiceRegisterTest : public QObject {
    Q_OBJECT
private slots:
    void search_data();
    void search();
    void emptySearchBeforeAndAfterTyping();
    void searchKeepsPendingEdits();
    void searchAsTypedRunsTheLatestText();
    void sortCyclesMarkers();
    void sortByDateAndNumber();
    void addLine();
    void addLineWithoutCurrentInvoiceIsRefused();
    void addLineToHeaderNotYetWritten();
    void deleteAndEditLine();
    void linesArePostedOnMoves_data();
    void linesArePostedOnMoves();
    void addInvoice();
    void invoiceNumberIsChecked_data();
    void invoiceNumberIsChecked();
    void addInvoiceShowsItDespiteSearch();
    void copyInvoice();
    void deleteInvoice();
    void twoConnectionsNeverShareACid();
};

// Invoices 1..6 with values in the searched columns; 7 has every searched column null.
static void addSearchFixture(InvoiceFixture& f) {
    f.addHeader(1, {{QStringLiteral("发票号码"), QStringLiteral("00012345")}});
    f.addHeader(2, {{Buyer, QStringLiteral("北京ABC公司")}});
    f.addHeader(3, {{QStringLiteral("购货单位银行"), QStringLiteral("工商银行 100%账户")}});
    f.addHeader(4, {{QStringLiteral("购货单位地址"), QStringLiteral("上海 a_b 路")}});
    f.addHeader(5, {{QStringLiteral("收款人"), QStringLiteral("abc")}});
    f.addHeader(6, {{QStringLiteral("备注"), QStringLiteral("加急")},
                    {QStringLiteral("备注1"), QStringLiteral("北京")}});
    f.addHeader(7, {{QStringLiteral("销货单位名称"), QStringLiteral("北京")}});
}

void InvoiceRegisterTest::search_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<qint64>>("cids");
    QTest::newRow("number") << QStringLiteral("1234") << QList<qint64>{1};
    QTest::newRow("ASCII case ignored") << QStringLiteral("abc") << QList<qint64>{5, 2};
    QTest::newRow("Chinese") << QStringLiteral("北京") << QList<qint64>{2};
    QTest::newRow("remark, not 备注1") << QStringLiteral("加急") << QList<qint64>{6};
    QTest::newRow("percent is a wildcard")
        << QStringLiteral("%") << QList<qint64>{6, 5, 4, 3, 2, 1};
    QTest::newRow("underscore is a wildcard") << QStringLiteral("a_c") << QList<qint64>{5, 2};
    QTest::newRow("wildcards inside") << QStringLiteral("工商%账") << QList<qint64>{3};
    QTest::newRow("taken untrimmed") << QStringLiteral(" abc") << QList<qint64>{};
    QTest::newRow("no match") << QStringLiteral("无此") << QList<qint64>{};
}

void InvoiceRegisterTest::search() {
    QFETCH(QString, text);
    QFETCH(QList<qint64>, cids);
    InvoiceFixture f;
    addSearchFixture(f);
    InvoiceRegister reg(f.db(), f.titleqry.get(), f.detailqry.get());
    reg.open();
    reg.lcEditChange(text);
    QCOMPARE(f.listedCids(), cids);
    QCOMPARE(f.titleqry->currentRow(), cids.isEmpty() ? -1 : 0);
}

void InvoiceRegisterTest::emptySearchBeforeAndAfterTyping() {
    InvoiceFixture f;
    addSearchFixture(f);
    InvoiceRegister reg(f.db(), f.titleqry.get(), f.detailqry.get());
    reg.open();
    QCOMPARE(f.listedCids(), (QList<qint64>{7, 6, 5, 4, 3, 2, 1}));
    reg.lcEditChange(QStringLiteral("a"));
    reg.lcEditChange(QString());
    QCOMPARE(f.listedCids(), (QList<qint64>{6, 5, 4, 3, 2, 1}));
}

void InvoiceRegisterTest::searchKeepsPendingEdits() {
    InvoiceFixture f;
    f.addHeader(1);
    f.addLine(1, {{Name, QStringLiteral("甲")}});
    InvoiceRegister reg(f.db(), f.titleqry.get(), f.detailqry.get());
    reg.open();
    f.titleqry->setValue(QStringLiteral("备注"), QStringLiteral("刚输入"));
    f.detailqry->setValue(Name, QStringLiteral("乙"));
    reg.lcEditChange(QStringLiteral("x"));
    QCOMPARE(f.column(QStringLiteral("title"), QStringLiteral("备注")),
             (QVariantList{QStringLiteral("刚输入")}));
    QCOMPARE(f.column(QStringLiteral("detail"), Name), (QVariantList{QStringLiteral("乙")}));
}

void InvoiceRegisterTest::searchAsTypedRunsTheLatestText() {
    InvoiceFixture f;
    addSearchFixture(f);
    InvoiceRegister reg(f.db(), f.titleqry.get(), f.detailqry.get());
    reg.open();
    SearchAsTyped typing(&reg);
    QSignalSpy searched(&typing, &SearchAsTyped::searched);
    typing.textChanged(QStringLiteral("a"));
    typing.textChanged(QStringLiteral("ab"));
    typing.textChanged(QStringLiteral("abc"));
    QCOMPARE(f.titleqry->rowCount(), 7); // nothing searched while keystrokes are waiting
    QTRY_COMPARE(searched.count(), 1);
    QCOMPARE(searched.at(0).at(0).toString(), QStringLiteral("abc"));
    QCOMPARE(f.listedCids(), (QList<qint64>{5, 2}));

    typing.textChanged(QStringLiteral("加急"));
    typing.flush();
    QCOMPARE(f.listedCids(), (QList<qint64>{6}));
    QVERIFY(!typing.isPending());
}

void InvoiceRegisterTest::sortCyclesMarkers() {
    InvoiceFixture f;
    f.addHeader(
        1, {{Buyer, QStringLiteral("张三")}, {QStringLiteral("位数"), QStringLiteral("84位")}});
    f.addHeader(
        2, {{Buyer, QStringLiteral("李四")}, {QStringLiteral("位数"), QStringLiteral("108位")}});
    f.addHeader(3, {{Buyer, QStringLiteral("王五")}});
    f.addHeader(4);
    InvoiceRegister reg(f.db(), f.titleqry.get(), f.detailqry.get());
    reg.open();

    QVERIFY(reg.DBGridEh2TitleBtnClick(Buyer));
    QCOMPARE(reg.sortMarker(Buyer), TitleSort::Marker::Down);
    QCOMPARE(f.listedCids(), (QList<qint64>{4, 2, 3, 1})); // null, li, wang, zhang
    QVERIFY(reg.DBGridEh2TitleBtnClick(Buyer));
    QCOMPARE(reg.sortMarker(Buyer), TitleSort::Marker::Up);
    QCOMPARE(f.listedCids(), (QList<qint64>{1, 3, 2, 4}));
    QVERIFY(reg.DBGridEh2TitleBtnClick(Buyer));
    QCOMPARE(reg.sortMarker(Buyer), TitleSort::Marker::Down);

    QVERIFY(reg.DBGridEh2TitleBtnClick(QStringLiteral("cid")));
    QCOMPARE(reg.sortMarker(Buyer), TitleSort::Marker::None);
    QCOMPARE(reg.sortMarker(QStringLiteral("cid")), TitleSort::Marker::Down);
    QCOMPARE(f.listedCids(), (QList<qint64>{1, 2, 3, 4}));

    QVERIFY(!reg.DBGridEh2TitleBtnClick(QStringLiteral("位数")));
    QCOMPARE(reg.sortMarker(QStringLiteral("位数")), TitleSort::Marker::None);
    QCOMPARE(f.listedCids(), (QList<qint64>{1, 2, 3, 4}));
    // The lines follow the invoice that is current after sorting.
    QCOMPARE(f.detailqry->param(QStringLiteral("cid")), f.titleqry->value(QStringLiteral("cid")));
}

void InvoiceRegisterTest::sortByDateAndNumber() {
    InvoiceFixture f;
    f.addHeader(1, {{QStringLiteral("开票日期"), QDate(2009, 1, 2)},
                    {QStringLiteral("小写金额"), QVariant::fromValue(Currency::fromFen(1000))}});
    f.addHeader(2, {{QStringLiteral("开票日期"), QDate(2008, 12, 30)},
                    {QStringLiteral("小写金额"), QVariant::fromValue(Currency::fromFen(900))}});
    f.addHeader(3, {{QStringLiteral("开票日期"), QDate(2010, 5, 1)},
                    {QStringLiteral("小写金额"), QVariant::fromValue(Currency::fromFen(10000))}});
    InvoiceRegister reg(f.db(), f.titleqry.get(), f.detailqry.get());
    reg.open();
    reg.DBGridEh2TitleBtnClick(QStringLiteral("开票日期"));
    QCOMPARE(f.listedCids(), (QList<qint64>{2, 1, 3}));
    reg.DBGridEh2TitleBtnClick(QStringLiteral("小写金额"));
    QCOMPARE(f.listedCids(), (QList<qint64>{2, 1, 3}));
    reg.DBGridEh2TitleBtnClick(QStringLiteral("小写金额"));
    QCOMPARE(f.listedCids(), (QList<qint64>{3, 1, 2}));
}

void InvoiceRegisterTest::addLine() {
    InvoiceFixture f;
    f.addHeader(1, {{QStringLiteral("是否收款"), true}});
    f.addLine(1, {{Name, QStringLiteral("甲")}});
    f.addLine(1, {{Name, QStringLiteral("乙")}});
    InvoiceRegister reg(f.db(), f.titleqry.get(), f.detailqry.get());
    reg.open();
    QVERIFY(reg.linesReadOnly());

    reg.N1Click(); // also on a paid invoice

    QCOMPARE(f.count(QStringLiteral("detail"), QStringLiteral("cid = 1")), 3);
    const QVariant name = f.column(QStringLiteral("detail"), Name).last();
    QVERIFY(!name.isNull());
    QCOMPARE(name.toString(), QString());
    QCOMPARE(f.detailqry->rowCount(), 3);
    QCOMPARE(f.detailqry->currentRow(), 2);
    QCOMPARE(f.detailqry->state(), RowSet::State::Browse);
}

void InvoiceRegisterTest::addLineWithoutCurrentInvoiceIsRefused() {
    InvoiceFixture f;
    f.addHeader(1, {{Buyer, QStringLiteral("甲")}});
    InvoiceRegister reg(f.db(), f.titleqry.get(), f.detailqry.get());
    reg.open();
    reg.lcEditChange(QStringLiteral("没有这家"));
    QVERIFY_THROWS_EXCEPTION(DbError, reg.N1Click());
    QCOMPARE(f.count(QStringLiteral("detail")), 0);
}

void InvoiceRegisterTest::addLineToHeaderNotYetWritten() {
    InvoiceFixture f;
    f.addHeader(4);
    InvoiceRegister reg(f.db(), f.titleqry.get(), f.detailqry.get());
    reg.lcEditChange(QStringLiteral("没有这家"));
    f.titleqry->setValue(Buyer, QStringLiteral("新")); // typing into the empty list inserts
    reg.N1Click();
    QCOMPARE(f.count(QStringLiteral("title")), 2);
    QCOMPARE(f.count(QStringLiteral("detail"), QStringLiteral("cid is null")), 0);
    QCOMPARE(f.column(QStringLiteral("detail"), QStringLiteral("cid")),
             f.column(QStringLiteral("title"), QStringLiteral("cid"), Buyer + " = '新'"));
}

void InvoiceRegisterTest::deleteAndEditLine() {
    InvoiceFixture f;
    f.addHeader(1);
    f.addLine(1, {{Name, QStringLiteral("甲")}});
    f.addLine(1, {{Name, QStringLiteral("乙")}});
    InvoiceRegister reg(f.db(), f.titleqry.get(), f.detailqry.get());
    reg.open();
    reg.N7Click();
    QCOMPARE(f.detailqry->state(), RowSet::State::Edit);
    f.detailqry->cancel();
    reg.N2Click();
    QCOMPARE(f.column(QStringLiteral("detail"), Name), (QVariantList{QStringLiteral("乙")}));
    reg.N2Click();
    reg.N2Click(); // nothing left to delete
    QCOMPARE(f.count(QStringLiteral("detail")), 0);
}

void InvoiceRegisterTest::linesArePostedOnMoves_data() {
    QTest::addColumn<QString>("moment");
    QTest::newRow("another line") << QStringLiteral("line");
    QTest::newRow("a line added") << QStringLiteral("add");
    QTest::newRow("another invoice") << QStringLiteral("invoice");
    QTest::newRow("save") << QStringLiteral("save");
}

void InvoiceRegisterTest::linesArePostedOnMoves() {
    QFETCH(QString, moment);
    InvoiceFixture f;
    f.addHeader(1);
    f.addHeader(2);
    f.addLine(2, {{Name, QStringLiteral("甲")}});
    f.addLine(2, {{Name, QStringLiteral("乙")}});
    InvoiceRegister reg(f.db(), f.titleqry.get(), f.detailqry.get());
    reg.open();
    f.detailqry->setValue(Name, QStringLiteral("改"));
    QCOMPARE(f.column(QStringLiteral("detail"), Name).first().toString(), QStringLiteral("甲"));

    if (moment == u"line")
        f.detailqry->next();
    else if (moment == u"add")
        reg.N1Click();
    else if (moment == u"invoice")
        f.titleqry->next();
    else
        reg.saveInvoice();

    QCOMPARE(f.column(QStringLiteral("detail"), Name).first().toString(), QStringLiteral("改"));
}

void InvoiceRegisterTest::addInvoice() {
    InvoiceFixture f;
    f.addHeader(5);
    f.addHeader(9);
    InvoiceRegister reg(f.db(), f.titleqry.get(), f.detailqry.get());
    reg.open();
    const qint64 cid = reg.addInvoice(QStringLiteral("0012"), QDate(2008, 9, 5));
    QCOMPARE(cid, 10);
    QCOMPARE(f.titleqry->value(QStringLiteral("cid")).toLongLong(), 10);
    QCOMPARE(f.titleqry->value(QStringLiteral("发票号码")).toString(), QStringLiteral("0012"));
    QCOMPARE(f.titleqry->value(QStringLiteral("开票日期")).toDate(), QDate(2008, 9, 5));
    QCOMPARE(f.titleqry->value(QStringLiteral("中文日期")).toString(),
             QStringLiteral("2008年09月05日"));
    for (const char* flag : {"是否收款", "含税单价", "是否打印格式"}) {
        const QVariant v = f.titleqry->value(QString::fromUtf8(flag));
        QVERIFY2(!v.isNull() && !v.toBool(), flag);
    }
    QCOMPARE(f.detailqry->rowCount(), 0);
}

void InvoiceRegisterTest::invoiceNumberIsChecked_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("digits") << QStringLiteral("00012345") << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("letter") << QStringLiteral("123a") << false;
    QTest::newRow("blank") << QStringLiteral("123 ") << false;
    QTest::newRow("full-width digits") << QStringLiteral("１２３") << false;
    QTest::newRow("sign") << QStringLiteral("-1") << false;
}

void InvoiceRegisterTest::invoiceNumberIsChecked() {
    QFETCH(QString, number);
    QFETCH(bool, accepted);
    InvoiceFixture f;
    InvoiceRegister reg(f.db(), f.titleqry.get(), f.detailqry.get());
    reg.open();
    if (accepted) {
        reg.addInvoice(number);
        QCOMPARE(f.count(QStringLiteral("title")), 1);
    } else {
        QVERIFY_THROWS_EXCEPTION(DbError, reg.addInvoice(number));
        QCOMPARE(f.count(QStringLiteral("title")), 0);
    }
}

void InvoiceRegisterTest::addInvoiceShowsItDespiteSearch() {
    InvoiceFixture f;
    f.addHeader(1, {{Buyer, QStringLiteral("甲")}});
    InvoiceRegister reg(f.db(), f.titleqry.get(), f.detailqry.get());
    reg.open();
    reg.lcEditChange(QStringLiteral("甲"));
    reg.addInvoice(QStringLiteral("77"));
    QCOMPARE(f.titleqry->value(QStringLiteral("cid")).toLongLong(), 2);
}

void InvoiceRegisterTest::copyInvoice() {
    InvoiceFixture f;
    f.addHeader(3, {{Buyer, QStringLiteral("甲公司")},
                    {QStringLiteral("发票号码"), QStringLiteral("111")},
                    {QStringLiteral("是否收款"), true},
                    {QStringLiteral("含税单价"), true}});
    f.addLine(3, {{Name, QStringLiteral("一")}, {QStringLiteral("数量"), 2.0}});
    f.addLine(3, {{Name, QStringLiteral("二")}});
    f.addHeader(1);
    InvoiceRegister reg(f.db(), f.titleqry.get(), f.detailqry.get());
    reg.open();
    f.titleqry->setValue(QStringLiteral("备注"), QStringLiteral("未保存的修改")); // saved first

    QCOMPARE(reg.copyInvoice(QStringLiteral("222")), 4);

    QCOMPARE(f.titleqry->value(QStringLiteral("cid")).toLongLong(), 4);
    QCOMPARE(f.titleqry->value(Buyer).toString(), QStringLiteral("甲公司"));
    QCOMPARE(f.titleqry->value(QStringLiteral("备注")).toString(), QStringLiteral("未保存的修改"));
    QCOMPARE(f.titleqry->value(QStringLiteral("发票号码")).toString(), QStringLiteral("222"));
    QCOMPARE(f.titleqry->value(QStringLiteral("是否收款")).toBool(), false);
    QCOMPARE(f.titleqry->value(QStringLiteral("含税单价")).toBool(), true);
    QCOMPARE(f.column(QStringLiteral("detail"), Name, QStringLiteral("cid = 4")),
             (QVariantList{QStringLiteral("一"), QStringLiteral("二")}));
    QCOMPARE(f.detailqry->rowCount(), 2);
    QCOMPARE(f.count(QStringLiteral("detail"), QStringLiteral("cid = 3")), 2);
    QCOMPARE(
        f.column(QStringLiteral("title"), QStringLiteral("发票号码"), QStringLiteral("cid = 3")),
        (QVariantList{QStringLiteral("111")}));
}

void InvoiceRegisterTest::deleteInvoice() {
    InvoiceFixture f;
    f.addHeader(1);
    f.addHeader(2);
    f.addLine(1, {{Name, QStringLiteral("留")}});
    f.addLine(2, {{Name, QStringLiteral("删")}});
    f.addLine(2, {{Name, QStringLiteral("删")}});
    InvoiceRegister reg(f.db(), f.titleqry.get(), f.detailqry.get());
    reg.open();
    f.detailqry->setValue(Name, QStringLiteral("改")); // a pending edit is dropped, not written
    reg.deleteInvoice();
    QCOMPARE(f.column(QStringLiteral("title"), QStringLiteral("cid")), (QVariantList{1}));
    QCOMPARE(f.column(QStringLiteral("detail"), Name), (QVariantList{QStringLiteral("留")}));
    QCOMPARE(f.titleqry->value(QStringLiteral("cid")).toLongLong(), 1);
    QCOMPARE(f.detailqry->rowCount(), 1);

    reg.lcEditChange(QStringLiteral("没有这家"));
    QVERIFY_THROWS_EXCEPTION(DbError, reg.deleteInvoice());
    QVERIFY_THROWS_EXCEPTION(DbError, reg.copyInvoice(QStringLiteral("1")));
}

void InvoiceRegisterTest::twoConnectionsNeverShareACid() {
    InvoiceFixture f;
    const QString folder = f.dir.path();
    constexpr int perWriter = 25;
    QList<qint64> cids[2];
    QString errors[2];
    auto writer = [&](int w) {
        try {
            Database db(folder);
            for (int i = 0; i < perWriter; ++i)
                cids[w] << InvoiceWriter(db.connection()).addHeader(QString::number(w), QDate());
        } catch (const DbError& e) {
            errors[w] = e.message();
        }
    };
    std::thread a(writer, 0);
    std::thread b(writer, 1);
    a.join();
    b.join();
    QCOMPARE(errors[0], QString());
    QCOMPARE(errors[1], QString());
    QSet<qint64> all;
    for (const auto& list : cids)
        for (qint64 cid : list)
            all.insert(cid);
    QCOMPARE(all.size(), 2 * perWriter);
    QCOMPARE(f.count(QStringLiteral("title")), 2 * perWriter);
}

QTEST_MAIN(InvoiceRegisterTest)
#include "tst_InvoiceRegister.moc"
