#include "InvoiceFixture.h"
#include "InvoiceSearch.h"
#include "InvoiceWriter.h"
#include "SqlCommand.h"

#include <QRandomGenerator>
#include <QTest>

// The indexed search must list exactly what the plain LIKE search lists, whatever is typed.
class InvoiceSearchIndexTest : public QObject {
    Q_OBJECT
private slots:
    void indexQuery_data();
    void indexQuery();
    void sameResultsAsLike();
    void indexFollowsChanges();
    void indexedListStaysEditable();

private:
    // cids listed for `text`, with the index when `indexed`, else by LIKE alone.
    static QList<qint64> search(const QSqlDatabase& db, const QString& text, bool indexed);
    static QString randomText(QRandomGenerator& random, int maxLength);
    static void addRandomInvoices(InvoiceFixture& f, QRandomGenerator& random, int count);
    static void compareAll(InvoiceFixture& f, QRandomGenerator& random, int searches);
};

QList<qint64> InvoiceSearchIndexTest::search(const QSqlDatabase& db, const QString& text,
                                             bool indexed) {
    InvoiceSearch::Statement s = InvoiceSearch::statement(db, text);
    if (!indexed)
        s.lines = InvoiceSearch::sqlLines();
    RowSet rows(db, s.lines.join(u'\n'));
    for (auto it = s.params.begin(); it != s.params.end(); ++it)
        rows.setParam(it.key(), it.value());
    rows.open();
    QList<qint64> cids;
    for (int row = 0; row < rows.rowCount(); ++row)
        cids << rows.value(row, QStringLiteral("cid")).toLongLong();
    return cids;
}

QString InvoiceSearchIndexTest::randomText(QRandomGenerator& random, int maxLength) {
    // Few distinct characters, so that random texts often match: letters in both cases,
    // Chinese, a blank, quotes, the two wildcards, non-ASCII letters with case.
    static const QString alphabet = QStringLiteral("aAbBc 北京华新%_\"'Ää1");
    QString text;
    const int length = random.bounded(maxLength + 1);
    for (int i = 0; i < length; ++i)
        text += alphabet[random.bounded(int(alphabet.size()))];
    return text;
}

void InvoiceSearchIndexTest::addRandomInvoices(InvoiceFixture& f, QRandomGenerator& random,
                                               int count) {
    QStringList columns = InvoiceSearch::searchedColumns();
    columns << QStringLiteral("备注1") << QStringLiteral("销货单位名称"); // not searched
    for (int i = 0; i < count; ++i) {
        QVariantHash values;
        for (const QString& column : columns)
            if (random.bounded(5) != 0) // some stay null
                values.insert(column, randomText(random, 12));
        f.addHeader(1 + i, values);
    }
}

void InvoiceSearchIndexTest::compareAll(InvoiceFixture& f, QRandomGenerator& random, int searches) {
    int narrowed = 0;
    for (int i = 0; i < searches; ++i) {
        const QString text = randomText(random, 6);
        narrowed += InvoiceSearch::indexQuery(text) ? 1 : 0;
        const QList<qint64> indexed = search(f.db(), text, true);
        const QList<qint64> plain = search(f.db(), text, false);
        if (indexed != plain)
            QFAIL(qPrintable(QStringLiteral("“%1”: %2 listed with the index, %3 without")
                                 .arg(text)
                                 .arg(indexed.size())
                                 .arg(plain.size())));
    }
    QVERIFY(narrowed > searches / 5); // the index path was really taken
}

void InvoiceSearchIndexTest::indexQuery_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("query");
    QTest::newRow("short") << QStringLiteral("北京") << QString();
    QTest::newRow("three") << QStringLiteral("北京华") << QStringLiteral("\"北京华\"");
    QTest::newRow("wildcards split")
        << QStringLiteral("ab%北京华_xyz1") << QStringLiteral("\"北京华\" AND \"xyz1\"");
    QTest::newRow("quote doubled") << QStringLiteral("a\"b") << QStringLiteral("\"a\"\"b\"");
    QTest::newRow("only wildcards") << QStringLiteral("%_%") << QString();
    QTest::newRow("empty") << QString() << QString();
}

void InvoiceSearchIndexTest::indexQuery() {
    QFETCH(QString, text);
    QFETCH(QString, query);
    QCOMPARE(InvoiceSearch::indexQuery(text).value_or(QString()), query);
}

void InvoiceSearchIndexTest::sameResultsAsLike() {
    InvoiceFixture f;
    QVERIFY(InvoiceSearch::indexAvailable(f.db()));
    QRandomGenerator random(20080905);
    addRandomInvoices(f, random, 300);
    compareAll(f, random, 400);
}

void InvoiceSearchIndexTest::indexFollowsChanges() {
    InvoiceFixture f;
    QRandomGenerator random(1017);
    addRandomInvoices(f, random, 150);
    // Changed through the row set, deleted and copied by the invoice commands, changed by SQL.
    f.titleqry->open();
    for (int row = 0; row < 40; ++row) {
        f.titleqry->moveTo(row * 3);
        f.titleqry->setValue(QStringLiteral("购货单位名称"), randomText(random, 12));
        f.titleqry->setValue(QStringLiteral("备注"), QVariant());
    }
    f.titleqry->post();
    InvoiceWriter writer(f.db());
    for (int i = 0; i < 20; ++i)
        writer.remove(f.titleqry->value(i * 5 + 1, QStringLiteral("cid")).toLongLong());
    for (int i = 0; i < 20; ++i)
        writer.copy(f.titleqry->value(i * 5 + 2, QStringLiteral("cid")).toLongLong(),
                    QStringLiteral("1"));
    SqlCommand::run(f.db(),
                    QStringLiteral("update title set 收款人 = 'ABC北京华' where cid % 7 = 0"));
    compareAll(f, random, 300);
}

void InvoiceSearchIndexTest::indexedListStaysEditable() {
    InvoiceFixture f;
    f.addHeader(1, {{QStringLiteral("购货单位名称"), QStringLiteral("北京华新公司")}});
    InvoiceSearch::run(*f.titleqry, f.db(), QStringLiteral("华新公"));
    QCOMPARE(f.titleqry->rowCount(), 1);
    f.titleqry->setValue(QStringLiteral("备注"), QStringLiteral("改"));
    f.titleqry->post();
    QCOMPARE(f.column(QStringLiteral("title"), QStringLiteral("备注")),
             (QVariantList{QStringLiteral("改")}));
    InvoiceSearch::run(*f.titleqry, f.db(), QStringLiteral("华新公"));
    QCOMPARE(f.titleqry->value(QStringLiteral("备注")).toString(), QStringLiteral("改"));
}

QTEST_MAIN(InvoiceSearchIndexTest)
#include "tst_InvoiceSearchIndex.moc"
