#include "Currency.h"
#include "InvoiceCommandLine.h"
#include "InvoiceFixture.h"

#include <QTest>

class InvoiceCommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void capitals();
    void capitalsRefusesNonNumbers_data();
    void capitalsRefusesNonNumbers();
    void list_data();
    void list();
    void listRefusesBadArguments_data();
    void listRefusesBadArguments();
};

void InvoiceCommandLineTest::capitals() {
    QString out, err;
    QTextStream o(&out), e(&err);
    QCOMPARE(InvoiceCommandLine::capitals({"1234.56", "0", "-10.05"}, o, e), 0);
    QCOMPARE(out, QStringLiteral("壹仟贰佰叁拾肆圆伍角陆分\n零圆整\n负壹拾圆零伍分\n"));
    QCOMPARE(err, QString());
}

void InvoiceCommandLineTest::capitalsRefusesNonNumbers_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("named");
    QTest::newRow("word") << QStringList{"1", "abc"} << QStringLiteral("abc");
    QTest::newRow("comma decimal") << QStringList{"1,5"} << QStringLiteral("1,5");
    QTest::newRow("infinity") << QStringList{"inf"} << QStringLiteral("inf");
    QTest::newRow("none") << QStringList{} << QStringLiteral("capitals");
}

void InvoiceCommandLineTest::capitalsRefusesNonNumbers() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, named);
    QString out, err;
    QTextStream o(&out), e(&err);
    QCOMPARE(InvoiceCommandLine::capitals(arguments, o, e), 1);
    QCOMPARE(out, QString());
    QVERIFY2(err.contains(named), qPrintable(err));
}

void InvoiceCommandLineTest::list_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("lines");
    const QString one = QStringLiteral("1\t001\t2008-09-05\t张三公司\t117.00\tTrue");
    const QString two = QStringLiteral("2\t002\t\t李四公司\t\tFalse");
    const QString three = QStringLiteral("3\t\t\t\t\t");
    QTest::newRow("everything, newest first") << QStringList{} << QStringList{three, two, one};
    QTest::newRow("search") << QStringList{"--search", "公司"} << QStringList{two, one};
    QTest::newRow("empty search skips all-null")
        << QStringList{"--search", ""} << QStringList{two, one};
    QTest::newRow("sort pinyin") << QStringList{"--sort", "购货单位名称"}
                                 << QStringList{three, two, one};
    QTest::newRow("sort descending")
        << QStringList{"--search", "公司", "--sort", "购货单位名称", "--desc"}
        << QStringList{one, two};
}

void InvoiceCommandLineTest::list() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, lines);
    InvoiceFixture f;
    f.addHeader(1, {{QStringLiteral("发票号码"), QStringLiteral("001")},
                    {QStringLiteral("开票日期"), QDate(2008, 9, 5)},
                    {QStringLiteral("购货单位名称"), QStringLiteral("张三公司")},
                    {QStringLiteral("小写金额"), QVariant::fromValue(Currency::fromFen(11700))},
                    {QStringLiteral("是否收款"), true}});
    f.addHeader(2, {{QStringLiteral("发票号码"), QStringLiteral("002")},
                    {QStringLiteral("购货单位名称"), QStringLiteral("李四公司")},
                    {QStringLiteral("是否收款"), false}});
    f.addHeader(3);
    QString out, err;
    QTextStream o(&out), e(&err);
    QCOMPARE(InvoiceCommandLine::list(f.db(), arguments, o, e), 0);
    QCOMPARE(err, QString());
    QCOMPARE(out, lines.join(u'\n') + u'\n');
}

void InvoiceCommandLineTest::listRefusesBadArguments_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("named");
    QTest::newRow("unknown option") << QStringList{"--all"} << QStringLiteral("--all");
    QTest::newRow("search without text") << QStringList{"--search"} << QStringLiteral("--search");
    QTest::newRow("desc alone") << QStringList{"--desc"} << QStringLiteral("--desc");
    QTest::newRow("unknown column") << QStringList{"--sort", "颜色"} << QStringLiteral("颜色");
    QTest::newRow("unsortable column") << QStringList{"--sort", "位数"} << QStringLiteral("位数");
}

void InvoiceCommandLineTest::listRefusesBadArguments() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, named);
    InvoiceFixture f;
    f.addHeader(1);
    QString out, err;
    QTextStream o(&out), e(&err);
    QCOMPARE(InvoiceCommandLine::list(f.db(), arguments, o, e), 1);
    QCOMPARE(out, QString());
    QVERIFY2(err.contains(named), qPrintable(err));
}

QTEST_MAIN(InvoiceCommandLineTest)
#include "tst_InvoiceCommandLine.moc"
