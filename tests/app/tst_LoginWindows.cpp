#include "DbCheckBox.h"
#include "DbError.h"
#include "DbLookupComboBox.h"
#include "LoginRule.h"
#include "MessageRecorder.h"
#include "PasswordHash.h"
#include "TepassForm.h"
#include "TloginForm.h"
#include "TtsForm.h"
#include "UserTableFixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString exclamationCaption = QStringLiteral("信息");
const QString chooseFirst = QStringLiteral("请先选择用户ID!");
const QString wrongPassword = QStringLiteral("密码不正确,请重新输入!");
const QString saved = QStringLiteral("资料已保存!");

template <typename T> T* child(QWidget* window, const char* name) {
    T* widget = window->findChild<T*>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

void pick(TloginForm& login, const QString& name) {
    auto* uid = child<DbLookupComboBox>(&login, "UID");
    emit uid->activated(uid->findText(name));
}

} // namespace

class LoginWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void login_data();
    void login();
    void plainPasswordIsHashedAtLogin();
    void firstOfTwoEqualNamesCounts();
    void onlyExitLeaves();
    void saveWithoutChange();
    void deleteAsksAndRemoves();
    void deleteOnEmptyListChangesNothing();
    void newPasswordIsStoredAsHashOnly();
    void emptyPasswordBoxKeepsPassword();
    void clearPasswordMeansNoPassword();
    void notesSwitchIsStored();
    void deleteDropsRowBeingAdded();
};

void LoginWindowsTest::login_data() {
    QTest::addColumn<QList<UserRow>>("users");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // empty: accepted
    const QString hash = PasswordHash::make(QStringLiteral("Abc"));
    const QList<UserRow> nullA = {{"A", QVariant()}};
    QTest::newRow("null, empty") << nullA << "" << QString();
    QTest::newRow("null, blank") << nullA << " " << wrongPassword;
    QTest::newRow("empty text, blanks") << QList<UserRow>{{"A", ""}} << "   " << QString();
    QTest::newRow("padded plain, bare") << QList<UserRow>{{"A", " Abc "}} << "Abc" << QString();
    QTest::newRow("plain, other case") << QList<UserRow>{{"A", "Abc"}} << "abc" << wrongPassword;
    QTest::newRow("hash, padded entry") << QList<UserRow>{{"A", hash}} << " Abc\t" << QString();
    QTest::newRow("hash, other case") << QList<UserRow>{{"A", hash}} << "ABC" << wrongPassword;
    QTest::newRow("no user A") << QList<UserRow>{{"B", QVariant()}} << "" << chooseFirst;
    QTest::newRow("empty list") << QList<UserRow>{} << "" << chooseFirst;
}

void LoginWindowsTest::login() {
    QFETCH(QList<UserRow>, users);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    UserTableFixture f(users);
    TloginForm login(f.userqry.get());
    login.show();
    QCOMPARE(child<DbLookupComboBox>(&login, "UID")->currentText(),
             users.isEmpty() || users.first().name != "A" ? QString() : QStringLiteral("A"));
    child<QLineEdit>(&login, "upass")->setText(typed);
    MessageRecorder messages;
    child<QPushButton>(&login, "BitBtn1")->click();
    if (message.isEmpty()) {
        QVERIFY(messages.texts().isEmpty());
        QCOMPARE(login.result(), int(QDialog::Accepted));
        QVERIFY(!login.isVisible());
        return;
    }
    QCOMPARE(messages.texts(), QStringList{message});
    QCOMPARE(messages.messages().first().caption, exclamationCaption);
    QCOMPARE(messages.messages().first().icon, MessageBoxes::Icon::Exclamation);
    QVERIFY(login.isVisible());
    QCOMPARE(child<QLineEdit>(&login, "upass")->text(), typed); // the entry stays
}

void LoginWindowsTest::plainPasswordIsHashedAtLogin() {
    UserTableFixture f({{"A", " Secret7 "}, {"B", "Other9"}});
    TloginForm login(f.userqry.get());
    login.show();
    child<QLineEdit>(&login, "upass")->setText(QStringLiteral("Secret7"));
    MessageRecorder messages;
    login.BitBtn1Click();
    QCOMPARE(login.result(), int(QDialog::Accepted));
    const QVariantList passwords = f.stored(QStringLiteral("密码"));
    QVERIFY(PasswordHash::isHash(passwords[0].toString()));
    QVERIFY(LoginRule::accepts(passwords[0], QStringLiteral("Secret7")));
    QCOMPARE(passwords[1], QVariant(QStringLiteral("Other9"))); // only the one logging in
}

void LoginWindowsTest::firstOfTwoEqualNamesCounts() {
    UserTableFixture f({{"A", QVariant()},
                        {"B", PasswordHash::make(QStringLiteral("first"))},
                        {"B", PasswordHash::make(QStringLiteral("second"))}});
    TloginForm login(f.userqry.get());
    login.show();
    pick(login, QStringLiteral("B"));
    QCOMPARE(f.userqry->currentRow(), 1);
    MessageRecorder messages;
    child<QLineEdit>(&login, "upass")->setText(QStringLiteral("second"));
    login.BitBtn1Click();
    QCOMPARE(messages.texts(), QStringList{wrongPassword});
    child<QLineEdit>(&login, "upass")->setText(QStringLiteral("first"));
    login.BitBtn1Click();
    QCOMPARE(login.result(), int(QDialog::Accepted));
    QCOMPARE(f.userqry->currentRow(), 1);
}

void LoginWindowsTest::onlyExitLeaves() {
    UserTableFixture f({});
    TloginForm login(f.userqry.get());
    login.show();
    QVERIFY(!login.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QTest::keyClick(&login, Qt::Key_Escape);
    login.close();
    QVERIFY(login.isVisible());
    child<QPushButton>(&login, "BitBtn2")->click();
    QVERIFY(!login.isVisible());
    QCOMPARE(login.result(), int(QDialog::Rejected));
}

void LoginWindowsTest::saveWithoutChange() {
    UserTableFixture f({{"A", QVariant()}, {"B", "x"}});
    f.userqry->open();
    TepassForm epass(f.userqry.get());
    MessageRecorder messages;
    child<QPushButton>(&epass, "BitBtn3")->click();
    QCOMPARE(messages.texts(), QStringList{saved});
    QCOMPARE(messages.messages().first().icon, MessageBoxes::Icon::None);
    QCOMPARE(f.stored(QStringLiteral("用户")), (QVariantList{"A", "B"}));
    QCOMPARE(f.stored(QStringLiteral("密码")), (QVariantList{QVariant(), "x"}));
}

void LoginWindowsTest::deleteAsksAndRemoves() {
    UserTableFixture f({{"A", QVariant()}, {"B", QVariant()}});
    f.userqry->open();
    f.userqry->moveTo(1);
    TepassForm epass(f.userqry.get());
    MessageRecorder messages(QMessageBox::No);
    epass.BitBtn4Click();
    QCOMPARE(messages.texts(), QStringList{QStringLiteral("您是否真的要删除这笔用户记录吗?")});
    QCOMPARE(messages.messages().first().icon, MessageBoxes::Icon::Question);
    QCOMPARE(f.stored(QStringLiteral("用户")).size(), 2);
    messages.queueAnswer(QMessageBox::Yes);
    epass.BitBtn4Click();
    QCOMPARE(f.stored(QStringLiteral("用户")), QVariantList{"A"});
}

void LoginWindowsTest::deleteDropsRowBeingAdded() {
    UserTableFixture f({{"A", QVariant()}});
    f.userqry->open();
    TepassForm epass(f.userqry.get());
    epass.BitBtn1Click();
    MessageRecorder messages(QMessageBox::Yes);
    epass.BitBtn4Click();
    QCOMPARE(f.userqry->rowCount(), 1);
    QCOMPARE(f.userqry->state(), RowSet::State::Browse);
    QCOMPARE(f.stored(QStringLiteral("用户")), QVariantList{"A"});
}

void LoginWindowsTest::deleteOnEmptyListChangesNothing() {
    UserTableFixture f({});
    f.userqry->open();
    TepassForm epass(f.userqry.get());
    MessageRecorder messages(QMessageBox::Yes);
    QVERIFY_THROWS_EXCEPTION(DbError, epass.BitBtn4Click());
    QCOMPARE(messages.texts().size(), 1);
    QVERIFY(f.userqry->isEmpty());
    QVERIFY(f.stored(QStringLiteral("用户")).isEmpty());
}

void LoginWindowsTest::newPasswordIsStoredAsHashOnly() {
    UserTableFixture f({{"A", QVariant()}});
    f.userqry->open();
    TepassForm epass(f.userqry.get());
    epass.show();
    epass.BitBtn1Click();
    QTest::keyClicks(child<QLineEdit>(&epass, "uedit"), QStringLiteral("Zhang"));
    QTest::keyClicks(child<QLineEdit>(&epass, "DBEdit2"), QStringLiteral("Pa55-word"));
    MessageRecorder messages;
    epass.BitBtn3Click();
    QCOMPARE(messages.texts(), QStringList{saved});
    QCOMPARE(f.stored(QStringLiteral("用户")), (QVariantList{"A", "Zhang"}));
    const QVariant stored = f.stored(QStringLiteral("密码")).at(1);
    QVERIFY(PasswordHash::isHash(stored.toString()));
    QVERIFY(LoginRule::accepts(stored, QStringLiteral("Pa55-word")));
    QVERIFY(child<QLineEdit>(&epass, "DBEdit2")->text().isEmpty());
    QVERIFY(!f.filesContain(QStringLiteral("Pa55-word")));
}

void LoginWindowsTest::emptyPasswordBoxKeepsPassword() {
    const QString hash = PasswordHash::make(QStringLiteral("keep"));
    UserTableFixture f({{"A", hash}});
    f.userqry->open();
    TepassForm epass(f.userqry.get());
    epass.show();
    epass.BitBtn2Click();
    QTest::keyClick(child<QLineEdit>(&epass, "uedit"), Qt::Key_End);
    QTest::keyClicks(child<QLineEdit>(&epass, "uedit"), QStringLiteral("2"));
    MessageRecorder messages;
    epass.BitBtn3Click();
    QCOMPARE(f.stored(QStringLiteral("用户")), QVariantList{"A2"});
    QCOMPARE(f.stored(QStringLiteral("密码")), QVariantList{hash});
}

void LoginWindowsTest::clearPasswordMeansNoPassword() {
    UserTableFixture f({{"A", PasswordHash::make(QStringLiteral("gone"))}});
    f.userqry->open();
    TepassForm epass(f.userqry.get());
    epass.show();
    child<QPushButton>(&epass, "clearpassbtn")->click();
    MessageRecorder messages;
    epass.BitBtn3Click();
    QCOMPARE(f.stored(QStringLiteral("密码")), QVariantList{QVariant()});
}

void LoginWindowsTest::notesSwitchIsStored() {
    UserTableFixture f({{"A", QVariant(), false}});
    f.userqry->open();
    TtsForm notes(f.userqry.get());
    notes.show();
    auto* box = child<DbCheckBox>(&notes, "DBCheckBox1");
    QVERIFY(!box->isChecked());
    box->click();
    QCOMPARE(f.stored(QStringLiteral("提示")), QVariantList{0}); // pending until OK
    child<QPushButton>(&notes, "BitBtn1")->click();
    QCOMPARE(f.stored(QStringLiteral("提示")), QVariantList{1});
    QVERIFY(!notes.isVisible());
}

QTEST_MAIN(LoginWindowsTest)
#include "tst_LoginWindows.moc"
