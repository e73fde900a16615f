#include "DbError.h"
#include "InvoiceFieldMap.h"

#include <QTest>

namespace {

PrintLine goodsLine(int n) {
    PrintLine line;
    line.name = QStringLiteral("商品%1").arg(n);
    line.model = QStringLiteral("型号%1").arg(n);
    line.unit = QStringLiteral("个");
    line.quantity = n;
    line.unitPrice = 10;
    line.amount = Currency::fromFen(n * 1000);
    line.taxRate = 17;
    line.tax = Currency::fromFen(n * 170);
    return line;
}

InvoicePrintInput invoiceWith(int lineCount) {
    InvoicePrintInput input;
    input.header.amountInFigures = QStringLiteral("0.00");
    for (int n = 1; n <= lineCount; ++n)
        input.lines.append(goodsLine(n));
    input.totals = PrintTotals::sumOf(input.lines);
    return input;
}

QHash<QString, QString> textsByName(const QList<FieldText>& fields) {
    QHash<QString, QString> byName;
    for (const FieldText& f : fields)
        byName.insert(f.name, f.text);
    return byName;
}

} // namespace

Q_DECLARE_METATYPE(PrintLine)

class FieldMapTest : public QObject {
    Q_OBJECT
private slots:
    void fieldNamesInWritingOrder();
    void invoiceWithoutLines();
    void tenLinesShowEightAndSumAll();
    void columnTexts_data();
    void columnTexts();
    void secondPrintClearsEarlierLines();
    void headerFieldsTakeShownTexts();
    void amountInFigures_data();
    void amountInFigures();
    void pictureInstruction();
};

void FieldMapTest::fieldNamesInWritingOrder() {
    const QStringList& names = InvoiceFieldMap::fieldNames();
    QCOMPARE(names.size(), InvoiceFieldMap::FieldCount);
    QCOMPARE(names.mid(0, 8),
             QStringList({"fpno", "jym", "kprq", "gmc", "gnsno", "gdzdh", "gyhzh", "m1"}));
    QCOMPARE(names.mid(15, 9),
             QStringList({"H1", "G1", "DW1", "SL1", "DJ1", "JE1", "S1", "SE1", "H2"}));
    QCOMPARE(names.mid(79), QStringList({"JEHJ", "SEHJ", "DXJE", "XXJE", "Xmc", "Xnsno", "Xdzdh",
                                         "Xyhzh", "BZ1", "BZ2", "BZ3", "BZ4", "SKR", "FH", "KPR"}));
}

void FieldMapTest::invoiceWithoutLines() {
    const InvoiceFieldValues v = InvoiceFieldMap::build(invoiceWith(0));
    const QHash<QString, QString> texts = textsByName(v.fields);
    for (int n = 1; n <= 64; ++n)
        QVERIFY(v.staging.cell(n).isEmpty());
    for (int i = 15; i < 79; ++i)
        QVERIFY2(v.fields.at(i).text.isEmpty(), qPrintable(v.fields.at(i).name));
    QCOMPARE(texts.value("JEHJ"), "0.00");
    QCOMPARE(texts.value("SEHJ"), "0.00");
    QCOMPARE(v.staging.cell(PrintStaging::QuantitySumCell), "0");
}

void FieldMapTest::tenLinesShowEightAndSumAll() {
    const InvoiceFieldValues v = InvoiceFieldMap::build(invoiceWith(10));
    const QHash<QString, QString> texts = textsByName(v.fields);
    QCOMPARE(texts.value("H1"), "商品1");
    QCOMPARE(texts.value("H8"), "商品8");
    QCOMPARE(texts.value("SL8"), "8");
    QCOMPARE(texts.value("SE8"), "13.60");
    for (const FieldText& f : v.fields)
        QVERIFY2(!f.text.contains("商品9") && !f.text.contains("商品10"), qPrintable(f.name));
    // 1 + 2 + ... + 10 = 55 lines of 10 yuan and 1.70 tax each unit.
    QCOMPARE(texts.value("JEHJ"), "550.00");
    QCOMPARE(texts.value("SEHJ"), "93.50");
    QCOMPARE(v.staging.cell(PrintStaging::QuantitySumCell), "55");
}

void FieldMapTest::columnTexts_data() {
    QTest::addColumn<PrintLine>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    PrintLine nulls;
    PrintLine zeroQuantity;
    zeroQuantity.quantity = 0;
    PrintLine rate135 = goodsLine(1);
    rate135.taxRate = 13.5;
    PrintLine fractional = goodsLine(1);
    fractional.unitPrice = 10 / 1.17;
    fractional.amount = Currency::fromUnits(15000);
    QTest::newRow("null quantity") << nulls << 4 << "";
    QTest::newRow("null rate has no lone %") << nulls << 7 << "";
    QTest::newRow("null amount") << nulls << 6 << "";
    QTest::newRow("zero quantity") << zeroQuantity << 4 << "0";
    QTest::newRow("rate 17") << goodsLine(1) << 7 << "17%";
    QTest::newRow("rate 13.5") << rate135 << 7 << "13.5%";
    QTest::newRow("amount 1.5") << fractional << 6 << "1.50";
    QTest::newRow("price in general form") << fractional << 5 << "8.54700854700855";
    QTest::newRow("name as stored") << goodsLine(3) << 1 << "商品3";
}

void FieldMapTest::columnTexts() {
    QFETCH(PrintLine, line);
    QFETCH(int, column);
    QFETCH(QString, text);
    QCOMPARE(PrintStaging::columnText(line, column), text);
}

void FieldMapTest::secondPrintClearsEarlierLines() {
    PrintStaging staging;
    const InvoicePrintInput three = invoiceWith(3);
    staging.FillPrintStaging(three.lines, three.totals);
    QCOMPARE(staging.cell(PrintStaging::cellOf(3, 1)), "商品3");
    const InvoicePrintInput one = invoiceWith(1);
    staging.FillPrintStaging(one.lines, one.totals);
    QCOMPARE(staging.cell(PrintStaging::cellOf(1, 1)), "商品1");
    for (int n = PrintStaging::cellOf(2, 1); n <= 64; ++n)
        QVERIFY(staging.cell(n).isEmpty());
    QCOMPARE(staging.cell(PrintStaging::AmountSumCell), "10.00");
}

void FieldMapTest::headerFieldsTakeShownTexts() {
    QHash<QString, QString> shown;
    shown.insert("发票号码", "00012345");
    shown.insert("购货单位名称", "甲公司\n第二行");
    shown.insert("密码8", "  <03*2>  ");
    shown.insert("小写金额", "117.00");
    shown.insert("收款人", "张三");
    InvoicePrintInput input = invoiceWith(0);
    input.header = PrintHeader::fromColumns(shown);
    const QHash<QString, QString> texts = textsByName(InvoiceFieldMap::build(input).fields);
    QCOMPARE(texts.value("fpno"), "00012345");
    QCOMPARE(texts.value("gmc"), "甲公司\n第二行");
    QCOMPARE(texts.value("m8"), "  <03*2>  ");
    QCOMPARE(texts.value("SKR"), "张三");
    QCOMPARE(texts.value("KPR"), "");
}

void FieldMapTest::amountInFigures_data() {
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("printed"); // empty: the print stops
    QTest::newRow("two decimals") << "1234.5"
                                  << "1234.50";
    QTest::newRow("halfway") << "0.005"
                             << "0.01";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("not a number") << "一百"
                                  << "";
}

void FieldMapTest::amountInFigures() {
    QFETCH(QString, shown);
    QFETCH(QString, printed);
    InvoicePrintInput input = invoiceWith(1);
    input.header.amountInFigures = shown;
    if (printed.isEmpty()) {
        try {
            InvoiceFieldMap::build(input);
            QFAIL("no error");
        } catch (const DbError& e) {
            QVERIFY2(e.message().contains(u'“' + shown + u'”'), qPrintable(e.message()));
        }
    } else {
        QCOMPARE(textsByName(InvoiceFieldMap::build(input).fields).value("XXJE"), printed);
    }
}

void FieldMapTest::pictureInstruction() {
    InvoicePrintInput input = invoiceWith(0);
    input.backgroundPicturePath = "/tmp/form.jpg";
    input.printBackground = true;
    QCOMPARE(InvoiceFieldMap::build(input).picture, BackgroundPicture({"/tmp/form.jpg", true}));
}

QTEST_APPLESS_MAIN(FieldMapTest)
#include "FieldMapTest.moc"
