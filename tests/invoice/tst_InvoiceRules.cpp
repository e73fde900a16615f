#include "AmountInCapitals.h"
#include "ChineseDate.h"
#include "DbError.h"
#include "InvoiceTotals.h"
#include "LineArithmetic.h"

#include <QTest>
#include <cmath>
#include <limits>

class InvoiceRulesTest : public QObject {
    Q_OBJECT
private slots:
    void capitals_data();
    void capitals();
    void capitalsOfNonNumbers();
    void chineseDate_data();
    void chineseDate();
    void amount_data();
    void amount();
    void tax_data();
    void tax();
    void unitPrice_data();
    void unitPrice();
    void unitPriceWithRateMinus100IsRefused();
    void hugeAmountIsRefused();
    void totals_data();
    void totals();
};

void InvoiceRulesTest::capitals_data() {
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("text");
    const struct {
        double amount;
        const char* text;
    } rows[] = {
        {0, "零圆整"},
        {0.05, "伍分"},
        {0.1, "壹角整"},
        {0.29, "贰角玖分"},
        {0.55, "伍角伍分"},
        {1, "壹圆整"},
        {1.05, "壹圆零伍分"},
        {1.5, "壹圆伍角整"},
        {10, "壹拾圆整"},
        {10.05, "壹拾圆零伍分"},
        {11, "壹拾壹圆整"},
        {101, "壹佰零壹圆整"},
        {1005, "壹仟零伍圆整"},
        {1050, "壹仟零伍拾圆整"},
        {1010.1, "壹仟零壹拾圆壹角整"},
        {1234.56, "壹仟贰佰叁拾肆圆伍角陆分"},
        {10001, "壹万零壹圆整"},
        {11000, "壹万壹仟圆整"},
        {70000.07, "柒万圆零柒分"},
        {80800, "捌万零捌佰圆整"},
        {100000, "壹拾万圆整"},
        {12345678.9, "壹仟贰佰叁拾肆万伍仟陆佰柒拾捌圆玖角整"},
        {100000000, "壹亿圆整"},
        {100000000.01, "壹亿圆零壹分"},
        {100000001, "壹亿零壹圆整"},
        {100001000, "壹亿壹仟圆整"},
        {100010000, "壹亿零壹万圆整"},
        {123456789012.34, "壹仟贰佰叁拾肆亿伍仟陆佰柒拾捌万玖仟零壹拾贰圆叁角肆分"},
        {1000000000000, "壹万亿圆整"},
        {1000100000000, "壹万零壹亿圆整"},
        {1000000000000001, "壹仟万亿零壹圆整"},
        // Beyond the table: digits above the sixteenth are dropped.
        {1e16, "零圆整"},
        {1e16 + 2, "贰圆整"},
        // A third decimal rounds the hundredths half up, also into the next yuan.
        {0.125, "壹角叁分"},
        {0.996, "壹圆整"},
        {9.999, "壹拾圆整"},
        // Negative totals come from lines with negative quantities or prices.
        {-1234.56, "负壹仟贰佰叁拾肆圆伍角陆分"},
        {-0.05, "负伍分"},
        {-0.001, "零圆整"},
    };
    for (const auto& row : rows)
        QTest::addRow("%s", QByteArray::number(row.amount, 'f', 3).constData())
            << row.amount << QString::fromUtf8(row.text);
}

void InvoiceRulesTest::capitals() {
    QFETCH(double, amount);
    QFETCH(QString, text);
    QCOMPARE(AmountInCapitals(amount), text);
}

void InvoiceRulesTest::capitalsOfNonNumbers() {
    QCOMPARE(AmountInCapitals(std::numeric_limits<double>::quiet_NaN()), QString());
    QCOMPARE(AmountInCapitals(std::numeric_limits<double>::infinity()), QString());
}

void InvoiceRulesTest::chineseDate_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");
    QTest::newRow("single digits padded") << QDate(2008, 9, 5) << QStringLiteral("2008年09月05日");
    QTest::newRow("two digits") << QDate(2008, 12, 25) << QStringLiteral("2008年12月25日");
    QTest::newRow("invalid") << QDate() << QString();
}

void InvoiceRulesTest::chineseDate() {
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QCOMPARE(ChineseDate(date), text);
}

void InvoiceRulesTest::amount_data() {
    QTest::addColumn<double>("quantity");
    QTest::addColumn<double>("price");
    QTest::addColumn<qint64>("fen");
    QTest::newRow("3 x 0.333") << 3.0 << 0.333 << qint64(100);
    QTest::newRow("tie 12.5 to even") << 1.0 << 0.125 << qint64(12);
    QTest::newRow("tie 37.5 to even") << 1.0 << 0.375 << qint64(38);
    QTest::newRow("negative tie") << -1.0 << 0.125 << qint64(-12);
    // 0.025 is slightly above 0.025 in binary: extended keeps that, double would see 2.5.
    QTest::newRow("extended 0.025") << 1.0 << 0.025 << qint64(3);
    QTest::newRow("empty line") << 0.0 << 0.0 << qint64(0);
    QTest::newRow("large") << 1000000.0 << 99999.99 << qint64(9999999000000);
}

void InvoiceRulesTest::amount() {
    QFETCH(double, quantity);
    QFETCH(double, price);
    QFETCH(qint64, fen);
    QCOMPARE(LineArithmetic::amount(quantity, price), Currency::fromFen(fen));
}

void InvoiceRulesTest::tax_data() {
    QTest::addColumn<double>("quantity");
    QTest::addColumn<double>("rate");
    QTest::addColumn<double>("price");
    QTest::addColumn<qint64>("fen");
    QTest::newRow("3 x 0.333 at 17") << 3.0 << 17.0 << 0.333 << qint64(17);
    QTest::newRow("no rate") << 3.0 << 0.0 << 0.333 << qint64(0);
    QTest::newRow("no quantity or price") << 0.0 << 17.0 << 0.0 << qint64(0);
    QTest::newRow("from price, not rounded amount") << 1.0 << 17.0 << 0.125 << qint64(2);
    QTest::newRow("tie to even") << 1.0 << 10.0 << 0.25 << qint64(2);
    QTest::newRow("100 at 17") << 1.0 << 17.0 << 100.0 << qint64(1700);
}

void InvoiceRulesTest::tax() {
    QFETCH(double, quantity);
    QFETCH(double, rate);
    QFETCH(double, price);
    QFETCH(qint64, fen);
    QCOMPARE(LineArithmetic::tax(quantity, rate, price), Currency::fromFen(fen));
}

void InvoiceRulesTest::unitPrice_data() {
    QTest::addColumn<double>("inclusive");
    QTest::addColumn<QVariant>("rate");
    QTest::addColumn<double>("price");
    QTest::newRow("117 no rate") << 117.0 << QVariant() << 100.0;
    QTest::newRow("117 at 17") << 117.0 << QVariant(17.0) << 100.0;
    QTest::newRow("10 no rate") << 10.0 << QVariant() << 8.5470085;
    QTest::newRow("10 at 17") << 10.0 << QVariant(17.0) << 8.5470085;
    QTest::newRow("113 at 13") << 113.0 << QVariant(13.0) << 100.0;
    QTest::newRow("10 at 13") << 10.0 << QVariant(13.0) << 8.8495575;
    QTest::newRow("106 at 6") << 106.0 << QVariant(6.0) << 100.0;
    QTest::newRow("10 at 0") << 10.0 << QVariant(0.0) << 10.0;
}

void InvoiceRulesTest::unitPrice() {
    QFETCH(double, inclusive);
    QFETCH(QVariant, rate);
    QFETCH(double, price);
    const std::optional<double> r = rate.isNull() ? std::nullopt : std::optional(rate.toDouble());
    QCOMPARE(LineArithmetic::unitPriceFromTaxInclusive(inclusive, r), price);
}

void InvoiceRulesTest::unitPriceWithRateMinus100IsRefused() {
    QVERIFY_THROWS_EXCEPTION(DbError, LineArithmetic::unitPriceFromTaxInclusive(10, -100.0));
}

void InvoiceRulesTest::hugeAmountIsRefused() {
    QVERIFY_THROWS_EXCEPTION(DbError, LineArithmetic::amount(1e300, 1e10));
    QVERIFY_THROWS_EXCEPTION(DbError, LineArithmetic::tax(1e300, 17, 1e10));
}

void InvoiceRulesTest::totals_data() {
    QTest::addColumn<qint64>("amountUnits");
    QTest::addColumn<qint64>("taxUnits");
    QTest::addColumn<QString>("capitals");
    QTest::addColumn<QString>("figures");
    QTest::newRow("no lines") << qint64(0) << qint64(0) << QStringLiteral("零圆整")
                              << QStringLiteral("0.00");
    QTest::newRow("1.00 + 0.17") << qint64(10000) << qint64(1700) << QStringLiteral("壹圆壹角柒分")
                                 << QStringLiteral("1.17");
    QTest::newRow("large") << qint64(1234567890120000) << qint64(3400)
                           << QStringLiteral(
                                  "壹仟贰佰叁拾肆亿伍仟陆佰柒拾捌万玖仟零壹拾贰圆叁角肆分")
                           << QStringLiteral("123456789012.34");
    QTest::newRow("negative") << qint64(-10000) << qint64(-1700) << QStringLiteral("负壹圆壹角柒分")
                              << QStringLiteral("-1.17");
    // Sums of whole fen never have more places; stored values typed by hand may.
    QTest::newRow("half fen to even")
        << qint64(250) << qint64(0) << QStringLiteral("贰分") << QStringLiteral("0.02");
    QTest::newRow("negative half fen to even")
        << qint64(-350) << qint64(0) << QStringLiteral("负肆分") << QStringLiteral("-0.04");
}

void InvoiceRulesTest::totals() {
    QFETCH(qint64, amountUnits);
    QFETCH(qint64, taxUnits);
    QFETCH(QString, capitals);
    QFETCH(QString, figures);
    const InvoiceTotals totals =
        InvoiceTotals::fromSums(Currency::fromUnits(amountUnits), Currency::fromUnits(taxUnits));
    QCOMPARE(totals.capitals, capitals);
    QCOMPARE(totals.figures, figures);
}

QTEST_APPLESS_MAIN(InvoiceRulesTest)
#include "tst_InvoiceRules.moc"
