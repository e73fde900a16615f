#include "LoginRule.h"
#include "NotesPrompt.h"
#include "PasswordHash.h"

#include <QTest>

class LoginRuleTest : public QObject {
    Q_OBJECT
private slots:
    void trimBlanks_data();
    void trimBlanks();
    void login_data();
    void login();
    void hashedPasswordKeepsEveryOutcome_data() { login_data(); }
    void hashedPasswordKeepsEveryOutcome();
    void plainPasswordIsReplacedAfterLogin();
    void nothingToReplace_data();
    void nothingToReplace();
    void onlyRealHashesCountAsHashes();
    void storedFormNeverHoldsThePassword();
    void notesAfterFifthTick_data();
    void notesAfterFifthTick();
};

void LoginRuleTest::trimBlanks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("blanks only") << "   "
                                 << "";
    QTest::newRow("controls and blanks") << QString::fromUtf8("\t\r\n a b \x01\x1f ") << "a b";
    QTest::newRow("inner blanks kept") << " a  b "
                                       << "a  b";
    QTest::newRow("ideographic space is not a blank")
        << QString::fromUtf8("\u3000密\u3000") << QString::fromUtf8("\u3000密\u3000");
}

void LoginRuleTest::trimBlanks() {
    QFETCH(QString, text);
    QFETCH(QString, trimmed);
    QCOMPARE(LoginRule::trimBlanks(text), trimmed);
}

void LoginRuleTest::login_data() {
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    const QVariant null;
    QTest::newRow("null, empty") << null << "" << true;
    QTest::newRow("null, one blank") << null << " " << false;
    QTest::newRow("null, text") << null << "a" << false;
    QTest::newRow("empty, empty") << QVariant(QStringLiteral("")) << "" << true;
    QTest::newRow("empty, blanks") << QVariant(QStringLiteral("")) << "   " << true;
    QTest::newRow("blanks, empty") << QVariant(QStringLiteral("  ")) << "" << true;
    QTest::newRow("empty, text") << QVariant(QStringLiteral("")) << "x" << false;
    QTest::newRow("padded, bare") << QVariant(QStringLiteral("  abc \t")) << "abc" << true;
    QTest::newRow("bare, padded") << QVariant(QStringLiteral("abc")) << "\tabc  " << true;
    QTest::newRow("other case") << QVariant(QStringLiteral("abc")) << "ABC" << false;
    QTest::newRow("inner blank differs") << QVariant(QStringLiteral("a b")) << "ab" << false;
    QTest::newRow("prefix only") << QVariant(QStringLiteral("abc")) << "ab" << false;
    QTest::newRow("chinese") << QVariant(QString::fromUtf8("密码1")) << QString::fromUtf8(" 密码1")
                             << true;
    QTest::newRow("wide space not trimmed")
        << QVariant(QString::fromUtf8("\u3000abc")) << "abc" << false;
}

void LoginRuleTest::login() {
    QFETCH(QVariant, stored);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QCOMPARE(LoginRule::accepts(stored, typed), accepted);
}

// The form a password is stored in (hash, or the empty text for blanks) must let in exactly the
// entries its plain text let in.
void LoginRuleTest::hashedPasswordKeepsEveryOutcome() {
    QFETCH(QVariant, stored);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    if (stored.isNull())
        QSKIP("null stays null");
    QCOMPARE(LoginRule::accepts(LoginRule::storedForm(stored.toString()), typed), accepted);
}

void LoginRuleTest::plainPasswordIsReplacedAfterLogin() {
    const auto replacement = LoginRule::replacementAfterLogin(QStringLiteral(" Secret "));
    QVERIFY(replacement.has_value());
    QVERIFY(PasswordHash::isHash(*replacement));
    QVERIFY(!replacement->contains(QLatin1String("Secret")));
    QVERIFY(LoginRule::accepts(*replacement, QStringLiteral("Secret")));
    QVERIFY(!LoginRule::accepts(*replacement, QStringLiteral("secret")));
}

void LoginRuleTest::nothingToReplace_data() {
    QTest::addColumn<QVariant>("stored");
    QTest::newRow("null") << QVariant();
    QTest::newRow("empty") << QVariant(QStringLiteral(""));
    QTest::newRow("blanks") << QVariant(QStringLiteral("   "));
    QTest::newRow("hash") << QVariant(PasswordHash::make(QStringLiteral("x")));
}

void LoginRuleTest::nothingToReplace() {
    QFETCH(QVariant, stored);
    QVERIFY(!LoginRule::replacementAfterLogin(stored).has_value());
}

void LoginRuleTest::onlyRealHashesCountAsHashes() {
    const QString hash = PasswordHash::make(QStringLiteral("pw"));
    QVERIFY(hash.startsWith(QLatin1String("$argon2id$")));
    QVERIFY(PasswordHash::isHash(hash));
    QVERIFY(hash != PasswordHash::make(QStringLiteral("pw"))); // salted
    // A hand-made password that merely looks like one is checked as plain text.
    const QString lookalike = QStringLiteral("$argon2id$v=19$not-a-hash");
    QVERIFY(!PasswordHash::isHash(lookalike));
    QVERIFY(LoginRule::accepts(lookalike, lookalike));
}

void LoginRuleTest::storedFormNeverHoldsThePassword() {
    const QString stored = LoginRule::storedForm(QStringLiteral("  Pa55word "));
    QVERIFY(PasswordHash::isHash(stored));
    QVERIFY(!stored.contains(QLatin1String("Pa55word")));
    const QString blank = LoginRule::storedForm(QStringLiteral("  "));
    QVERIFY(!blank.isNull());
    QVERIFY(blank.isEmpty());
}

void LoginRuleTest::notesAfterFifthTick_data() {
    QTest::addColumn<QVariant>("flag");
    QTest::addColumn<bool>("shown");
    QTest::newRow("False") << QVariant(false) << true;
    QTest::newRow("True") << QVariant(true) << false;
    QTest::newRow("null") << QVariant() << false;
}

void LoginRuleTest::notesAfterFifthTick() {
    QFETCH(QVariant, flag);
    QFETCH(bool, shown);
    NotesPrompt prompt;
    for (int tick = 1; tick < 5; ++tick)
        QCOMPARE(prompt.tick(flag), NotesPrompt::Step::KeepTicking);
    QCOMPARE(prompt.tick(flag),
             shown ? NotesPrompt::Step::StopAndShowNotes : NotesPrompt::Step::Stop);
    QVERIFY(prompt.isFinished());
    QCOMPARE(prompt.tick(QVariant(false)), NotesPrompt::Step::Stop); // once per run
}

QTEST_GUILESS_MAIN(LoginRuleTest)
#include "tst_LoginRule.moc"
