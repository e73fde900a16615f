#include "Currency.h"
#include "DbError.h"

#include <QTest>
#include <limits>

class CurrencyTest : public QObject {
    Q_OBJECT
private slots:
    void parse_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint64>("units");
        QTest::newRow("whole") << "12" << true << qint64(120000);
        QTest::newRow("blanks and plus") << " +1.5 " << true << qint64(15000);
        QTest::newRow("two decimals") << "0.01" << true << qint64(100);
        QTest::newRow("point only after") << "3." << true << qint64(30000);
        QTest::newRow("point only before") << "-.5" << true << qint64(-5000);
        QTest::newRow("fifth place rounds up") << "0.00005" << true << qint64(1);
        QTest::newRow("fifth place rounds down") << "0.000049999" << true << qint64(0);
        QTest::newRow("carry into yuan") << "0.99995" << true << qint64(10000);
        QTest::newRow("negative half") << "-0.00005" << true << qint64(-1);
        QTest::newRow("largest yuan") << "922337203685476" << true << qint64(9223372036854760000);
        QTest::newRow("largest amount")
            << "922337203685477.5807" << true << std::numeric_limits<qint64>::max();
        QTest::newRow("just too large") << "922337203685477.5808" << false << qint64(0);
        QTest::newRow("far too large") << "9223372036854776" << false << qint64(0);
        QTest::newRow("empty") << "" << false << qint64(0);
        QTest::newRow("sign only") << "-" << false << qint64(0);
        QTest::newRow("point only") << "." << false << qint64(0);
        QTest::newRow("comma") << "1,5" << false << qint64(0);
        QTest::newRow("exponent") << "1e3" << false << qint64(0);
        QTest::newRow("two points") << "1.2.3" << false << qint64(0);
    }
    void parse() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(qint64, units);
        const auto c = Currency::parse(text);
        QCOMPARE(c.has_value(), valid);
        if (valid)
            QCOMPARE(c->units(), units);
    }

    void format_data() {
        QTest::addColumn<qint64>("units");
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("fixed2");
        QTest::newRow("zero") << qint64(0) << "0"
                              << "0.00";
        QTest::newRow("one and a half") << qint64(15000) << "1.5"
                                        << "1.50";
        QTest::newRow("smallest") << qint64(1) << "0.0001"
                                  << "0.00";
        QTest::newRow("half fen up") << qint64(50) << "0.005"
                                     << "0.01";
        QTest::newRow("negative half fen") << qint64(-50) << "-0.005"
                                           << "-0.01";
        QTest::newRow("tiny negative") << qint64(-49) << "-0.0049"
                                       << "0.00";
        QTest::newRow("lowest") << std::numeric_limits<qint64>::min() << "-922337203685477.5808"
                                << "-922337203685477.58";
    }
    void format() {
        QFETCH(qint64, units);
        QFETCH(QString, plain);
        QFETCH(QString, fixed2);
        const Currency c = Currency::fromUnits(units);
        QCOMPARE(c.toPlainString(), plain);
        QCOMPARE(c.toFixed2(), fixed2);
        if (units != std::numeric_limits<qint64>::min())
            QCOMPARE(Currency::parse(plain)->units(), units);
    }

    void fromDouble_data() {
        QTest::addColumn<double>("yuan");
        QTest::addColumn<qint64>("units");
        QTest::newRow("binary just below half") << 1.00005 << qint64(10001);
        QTest::newRow("price") << 1.005 << qint64(10050);
        QTest::newRow("negative") << -2.5 << qint64(-25000);
    }
    void fromDouble() {
        QFETCH(double, yuan);
        QFETCH(qint64, units);
        QCOMPARE(Currency::fromDouble(yuan).units(), units);
    }

    void fromDoubleRefusesWhatIsNoAmount() {
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 Currency::fromDouble(std::numeric_limits<double>::quiet_NaN()));
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 Currency::fromDouble(std::numeric_limits<double>::infinity()));
        QVERIFY_THROWS_EXCEPTION(DbError, Currency::fromDouble(1e16));
    }
};

QTEST_GUILESS_MAIN(CurrencyTest)
#include "CurrencyTest.moc"
