#include "LoginRule.h"
#include "PasswdCommand.h"
#include "PasswordHash.h"
#include "UserTableFixture.h"

#include <QTest>

namespace {

PasswdCommand::PasswordSource answer(std::optional<QString> password) {
    return [password] { return password; };
}

} // namespace

class PasswdCommandTest : public QObject {
    Q_OBJECT
private slots:
    void newPasswordGoesToFirstRowOfName();
    void emptyEntryRemovesPassword();
    void failures_data();
    void failures();
};

void PasswdCommandTest::newPasswordGoesToFirstRowOfName() {
    UserTableFixture f({{"A", QVariant()}, {"B", "old"}, {"B", "twin"}});
    QString out, err;
    QTextStream o(&out), e(&err);
    QCOMPARE(PasswdCommand::run(f.db->connection(), {"B"}, answer(QStringLiteral("n3w!")), o, e),
             0);
    const QVariantList passwords = f.stored(QStringLiteral("密码"));
    QCOMPARE(passwords[0], QVariant());
    QVERIFY(PasswordHash::isHash(passwords[1].toString()));
    QVERIFY(LoginRule::accepts(passwords[1], QStringLiteral("n3w!")));
    QCOMPARE(passwords[2], QVariant(QStringLiteral("twin")));
    QVERIFY(!f.filesContain(QStringLiteral("n3w!")));
    QVERIFY(err.isEmpty());
}

void PasswdCommandTest::emptyEntryRemovesPassword() {
    UserTableFixture f({{"A", PasswordHash::make(QStringLiteral("x"))}});
    QString out, err;
    QTextStream o(&out), e(&err);
    QCOMPARE(PasswdCommand::run(f.db->connection(), {"A"}, answer(QStringLiteral("  ")), o, e), 0);
    QCOMPARE(f.stored(QStringLiteral("密码")), QVariantList{QVariant()});
}

void PasswdCommandTest::failures_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<std::optional<QString>>("entry");
    QTest::addColumn<QString>("errorPart");
    QTest::newRow("unknown user") << QStringList{"Nobody"} << std::optional<QString>("p")
                                  << "Nobody";
    QTest::newRow("input ends") << QStringList{"A"} << std::optional<QString>() << "A";
    QTest::newRow("no user named") << QStringList{} << std::optional<QString>("p") << "passwd";
    QTest::newRow("two users named")
        << QStringList{"A", "B"} << std::optional<QString>("p") << "passwd";
}

void PasswdCommandTest::failures() {
    QFETCH(QStringList, arguments);
    QFETCH(std::optional<QString>, entry);
    QFETCH(QString, errorPart);
    UserTableFixture f({UserRow{"A", "kept"}});
    QString out, err;
    QTextStream o(&out), e(&err);
    QCOMPARE(PasswdCommand::run(f.db->connection(), arguments, answer(entry), o, e), 1);
    e.flush();
    QVERIFY2(err.contains(errorPart), qPrintable(err));
    QCOMPARE(f.stored(QStringLiteral("密码")), QVariantList{"kept"});
}

QTEST_GUILESS_MAIN(PasswdCommandTest)
#include "tst_PasswdCommand.moc"
