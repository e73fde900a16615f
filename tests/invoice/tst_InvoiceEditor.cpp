#include "InvoiceEditor.h"
#include "InvoiceFixture.h"

#include <QSignalSpy>
#include <QTest>

namespace {
const QString Quantity = QStringLiteral("数量");
const QString Price = QStringLiteral("单价");
const QString Amount = QStringLiteral("金额");
const QString Rate = QStringLiteral("税率");
const QString Tax = QStringLiteral("税额");
const QString Inclusive = QStringLiteral("其它4");

QVariant money(qint64 fen) {
    return QVariant::fromValue(Currency::fromFen(fen));
}

QVariantHash lineValues(QVariant quantity, QVariant price, QVariant rate, QVariant inclusive) {
    QVariantHash v{{QStringLiteral("货物应税名称"), QStringLiteral("货物")}};
    const QList<std::pair<QString, QVariant>> given = {
        {Quantity, quantity}, {Price, price}, {Rate, rate}, {Inclusive, inclusive}};
    for (const auto& [column, value] : given)
        if (!value.isNull())
            v.insert(column, value);
    return v;
}
} // namespace

class InvoiceEditorTest : public QObject {
    Q_OBJECT
private slots:
    void chains_data();
    void chains();
    void totalsCountLinesAsSaved();
    void totalsOfEmptyInvoice();
    void totalsUseEveryLine();
    void pickedDateWritesBothColumns();
};

void InvoiceEditorTest::chains_data() {
    QTest::addColumn<bool>("taxInclusiveInvoice");
    QTest::addColumn<QVariantHash>("line");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QStringList>("assigned");
    QTest::addColumn<double>("price");
    QTest::addColumn<QVariant>("amount");
    QTest::addColumn<QVariant>("tax");

    const QVariant none;
    QTest::newRow("数量 3 x 0.333 at 17")
        << false << lineValues(none, 0.333, 17.0, none) << Quantity << QVariant(3.0)
        << QStringList{Quantity, Amount, Tax} << 0.333 << money(100) << money(17);
    QTest::newRow("单价 tie to even, no rate")
        << false << lineValues(1.0, none, none, none) << Price << QVariant(0.125)
        << QStringList{Price, Amount, Tax} << 0.125 << money(12) << money(0);
    QTest::newRow("其它4 117 at 17")
        << false << lineValues(2.0, none, 17.0, none) << Inclusive << QVariant(117.0)
        << QStringList{Inclusive, Price, Amount, Tax} << 100.0 << money(20000) << money(3400);
    QTest::newRow("其它4 10 without rate")
        << false << lineValues(1.0, none, none, none) << Inclusive << QVariant(10.0)
        << QStringList{Inclusive, Price, Amount, Tax} << 8.5470085 << money(855) << money(0);
    QTest::newRow("其它4 at the line's own rate 13")
        << true << lineValues(1.0, none, 13.0, none) << Inclusive << QVariant(113.0)
        << QStringList{Inclusive, Price, Amount, Tax} << 100.0 << money(10000) << money(1300);
    QTest::newRow("金额 typed on an empty line")
        << false << lineValues(none, none, 17.0, none) << Amount << money(500)
        << QStringList{Amount, Tax} << 0.0 << money(500) << money(0);
    QTest::newRow("税额 typed changes nothing else")
        << false << lineValues(1.0, 10.0, 17.0, none) << Tax << money(99) << QStringList{Tax}
        << 10.0 << QVariant() << money(99);
    QTest::newRow("税率 on a plain invoice")
        << false << lineValues(2.0, 100.0, none, 117.0) << Rate << QVariant(13.0)
        << QStringList{Rate, Tax} << 100.0 << QVariant() << money(2600);
    QTest::newRow("税率 on a tax-inclusive invoice re-derives 单价")
        << true << lineValues(1.0, 96.5811966, 17.0, 113.0) << Rate << QVariant(13.0)
        << QStringList{Rate, Price, Amount, Tax} << 100.0 << money(10000) << money(1300);
    QTest::newRow("税率 on a tax-inclusive invoice without 其它4")
        << true << lineValues(1.0, 100.0, none, none) << Rate << QVariant(13.0)
        << QStringList{Rate, Tax} << 100.0 << QVariant() << money(1300);
}

void InvoiceEditorTest::chains() {
    QFETCH(bool, taxInclusiveInvoice);
    QFETCH(QVariantHash, line);
    QFETCH(QString, column);
    QFETCH(QVariant, value);
    QFETCH(QStringList, assigned);
    QFETCH(double, price);
    QFETCH(QVariant, amount);
    QFETCH(QVariant, tax);

    InvoiceFixture f;
    f.addHeader(1, {{QStringLiteral("含税单价"), taxInclusiveInvoice}});
    f.addLine(1, line);
    f.titleqry->open();
    f.detailqry->open();
    // Connected before the editor, so assignments are recorded in the order they are made.
    QSignalSpy changes(f.detailqry.get(), &RowSet::columnChanged);
    InvoiceEditor editor(f.titleqry.get(), f.detailqry.get());

    f.detailqry->setValue(column, value);

    QStringList order;
    for (const QList<QVariant>& args : changes)
        order << args.at(0).toString();
    QCOMPARE(order, assigned);
    QCOMPARE(f.detailqry->value(Price).toDouble(), price);
    QCOMPARE(f.detailqry->value(Amount).value<Currency>(), amount.value<Currency>());
    QCOMPARE(f.detailqry->value(Tax).value<Currency>(), tax.value<Currency>());
    QVERIFY(f.detailqry->isEditing()); // the handlers never post
}

void InvoiceEditorTest::totalsCountLinesAsSaved() {
    InvoiceFixture f;
    f.addHeader(1);
    f.addLine(
        1, {{Quantity, 3.0}, {Price, 0.333}, {Rate, 17.0}, {Amount, money(100)}, {Tax, money(17)}});
    f.addLine(
        1, {{Quantity, 1.0}, {Price, 2.0}, {Rate, 17.0}, {Amount, money(200)}, {Tax, money(34)}});
    f.titleqry->open();
    f.detailqry->open();
    InvoiceEditor editor(f.titleqry.get(), f.detailqry.get());
    QSignalSpy totals(&editor, &InvoiceEditor::totalsChanged);
    editor.detaildstDataChange();
    QCOMPARE(totals.last().at(1).toString(), QStringLiteral("3.51"));
    QCOMPARE(totals.last().at(0).toString(), QStringLiteral("叁圆伍角壹分"));

    // While the first line is edited it still counts with its saved values.
    f.detailqry->first();
    f.detailqry->setValue(Quantity, 6.0);
    QCOMPARE(f.detailqry->value(Amount).value<Currency>(), Currency::fromFen(200));
    QCOMPARE(totals.last().at(1).toString(), QStringLiteral("3.51"));
    QCOMPARE(editor.footerSums().quantity, 4.0);

    // Moving to another line posts it; the totals catch up.
    f.detailqry->next();
    QCOMPARE(totals.last().at(1).toString(), QStringLiteral("4.68"));
    QCOMPARE(editor.footerSums().quantity, 7.0);
    QCOMPARE(editor.footerSums().amount, Currency::fromFen(400));
    QCOMPARE(editor.footerSums().tax, Currency::fromFen(68));
    QCOMPARE(f.column(QStringLiteral("detail"), Amount).first().toString(), QStringLiteral("2"));
}

void InvoiceEditorTest::totalsOfEmptyInvoice() {
    InvoiceFixture f;
    f.addHeader(1);
    f.titleqry->open();
    f.detailqry->open();
    InvoiceEditor editor(f.titleqry.get(), f.detailqry.get());
    QSignalSpy totals(&editor, &InvoiceEditor::totalsChanged);
    f.detailqry->reload();
    QVERIFY(!totals.isEmpty());
    QCOMPARE(totals.last().at(0).toString(), QStringLiteral("零圆整"));
    QCOMPARE(totals.last().at(1).toString(), QStringLiteral("0.00"));
}

void InvoiceEditorTest::totalsUseEveryLine() {
    InvoiceFixture f;
    f.addHeader(1);
    f.addHeader(2);
    for (int i = 0; i < 10; ++i)
        f.addLine(1, {{Amount, money(100)}, {Tax, money(17)}});
    f.addLine(2, {{Amount, money(99900)}}); // another invoice's line never counts
    f.titleqry->open();
    f.titleqry->last(); // cid 1
    f.detailqry->open();
    InvoiceEditor editor(f.titleqry.get(), f.detailqry.get());
    editor.detaildstDataChange();
    QCOMPARE(editor.totals().figures, QStringLiteral("11.70"));
    QCOMPARE(editor.totals().capitals, QStringLiteral("壹拾壹圆柒角整"));
}

void InvoiceEditorTest::pickedDateWritesBothColumns() {
    InvoiceFixture f;
    f.addHeader(1, {{QStringLiteral("开票日期"), QDate(2001, 1, 1)}});
    f.titleqry->open();
    f.detailqry->open();
    InvoiceEditor editor(f.titleqry.get(), f.detailqry.get());
    editor.kpEnter();
    QCOMPARE(f.titleqry->state(), RowSet::State::Edit);
    editor.kpChange(QDate(2008, 9, 5));
    f.titleqry->post();
    QCOMPARE(f.column(QStringLiteral("title"), QStringLiteral("中文日期")),
             (QVariantList{QStringLiteral("2008年09月05日")}));
    QCOMPARE(f.titleqry->value(QStringLiteral("开票日期")).toDate(), QDate(2008, 9, 5));
}

QTEST_MAIN(InvoiceEditorTest)
#include "tst_InvoiceEditor.moc"
