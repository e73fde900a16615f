#include "NumberText.h"

#include <QTest>
#include <limits>

class NumberTextTest : public QObject {
    Q_OBJECT
private slots:
    void generalOfDouble_data();
    void generalOfDouble();
    void generalOfCurrency();
    void twoDecimalsOfDouble_data();
    void twoDecimalsOfDouble();
    void twoDecimalsOfCurrency();
    void twoDecimalsOfText_data();
    void twoDecimalsOfText();
};

void NumberTextTest::generalOfDouble_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 2.0 << "2";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("seven decimals") << 0.8547009 << "0.8547009";
    QTest::newRow("third") << 1.0 / 3 << "0.333333333333333";
    QTest::newRow("two thirds rounds up") << 2.0 / 3 << "0.666666666666667";
    QTest::newRow("smallest plain") << 0.0001 << "0.0001";
    QTest::newRow("below 0.0001") << 0.00005 << "5E-5";
    QTest::newRow("exponent with point") << 1.5e-7 << "1.5E-7";
    QTest::newRow("negative exponent form") << -0.000012 << "-1.2E-5";
    QTest::newRow("fifteen integer digits") << 123456789012345.0 << "123456789012345";
    QTest::newRow("sixteen integer digits") << 1234567890123456.0 << "1.23456789012346E15";
    QTest::newRow("1E20") << 1e20 << "1E20";
    QTest::newRow("exact half away from zero") << 123456789012344.5 << "123456789012345";
    QTest::newRow("negative exact half") << -123456789012344.5 << "-123456789012345";
    QTest::newRow("negative") << -17.25 << "-17.25";
    QTest::newRow("rate") << 13.5 << "13.5";
    QTest::newRow("carry into new digit") << 9.9999999999999999 << "10";
    QTest::newRow("rounds up to 0.0001") << 0.00009999999999999999 << "0.0001";
    QTest::newRow("binary noise hidden") << 0.1 + 0.2 << "0.3";
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << "NAN";
}

void NumberTextTest::generalOfDouble() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(NumberText::general(value), text);
}

void NumberTextTest::generalOfCurrency() {
    QCOMPARE(NumberText::general(Currency::fromUnits(15000)), "1.5");
    QCOMPARE(NumberText::general(Currency::fromUnits(-1)), "-0.0001");
    QCOMPARE(NumberText::general(Currency()), "0");
    // 19 digits are more than 15 significant ones: rounded to the whole yuan.
    QCOMPARE(NumberText::general(Currency::fromUnits(9223372036854775807)), "922337203685478");
}

void NumberTextTest::twoDecimalsOfDouble_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 3.0 << "3.00";
    QTest::newRow("two decimals") << 1.71 << "1.71";
    QTest::newRow("zero") << 0.0 << "0.00";
    QTest::newRow("below one") << 0.5 << "0.50";
    QTest::newRow("halfway up") << 1.005 << "1.01";
    QTest::newRow("halfway negative") << -2.675 << "-2.68";
    QTest::newRow("tiny negative is zero") << -0.001 << "0.00";
    QTest::newRow("carry") << 99.999 << "100.00";
    QTest::newRow("large") << 12345678.9 << "12345678.90";
}

void NumberTextTest::twoDecimalsOfDouble() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(NumberText::twoDecimals(value), text);
}

void NumberTextTest::twoDecimalsOfCurrency() {
    QCOMPARE(NumberText::twoDecimals(Currency::fromUnits(15000)), "1.50");
    QCOMPARE(NumberText::twoDecimals(Currency::fromUnits(50)), "0.01");
    QCOMPARE(NumberText::twoDecimals(Currency::fromUnits(-50)), "-0.01");
    QCOMPARE(NumberText::twoDecimals(Currency::fromUnits(49)), "0.00");
}

void NumberTextTest::twoDecimalsOfText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // empty: not a number
    QTest::newRow("already two decimals") << "1234.50"
                                          << "1234.50";
    QTest::newRow("whole") << "12"
                           << "12.00";
    QTest::newRow("halfway") << "0.125"
                             << "0.13";
    QTest::newRow("negative halfway") << "-0.125"
                                      << "-0.13";
    QTest::newRow("blanks") << "  7.1 "
                            << "7.10";
    QTest::newRow("leading point") << ".5"
                                   << "0.50";
    QTest::newRow("exponent") << "1.5E3"
                              << "1500.00";
    QTest::newRow("many digits exact") << "0.004999999999999999999"
                                       << "0.00";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("blank") << "   "
                           << "";
    QTest::newRow("letters") << "12a"
                             << "";
    QTest::newRow("grouping") << "1,234.00"
                              << "";
    QTest::newRow("lone sign") << "-"
                               << "";
    QTest::newRow("two points") << "1.2.3"
                                << "";
}

void NumberTextTest::twoDecimalsOfText() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const std::optional<QString> result = NumberText::twoDecimalsOfText(text);
    if (expected.isEmpty())
        QVERIFY(!result);
    else
        QCOMPARE(result.value_or(QStringLiteral("<none>")), expected);
}

QTEST_APPLESS_MAIN(NumberTextTest)
#include "NumberTextTest.moc"
