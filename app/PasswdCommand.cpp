#include "PasswdCommand.h"

#include "LoginRule.h"
#include "RowSet.h"
#include "TerminalPassword.h"
#include "UserAccounts.h"

int PasswdCommand::run(QSqlDatabase db, const QStringList& arguments,
                       const PasswordSource& readPassword, QTextStream& out, QTextStream& err) {
    if (arguments.size() != 1) {
        err << QStringLiteral("用法: fapiao [--data-dir 文件夹] passwd 用户\n");
        return 1;
    }
    const QString& user = arguments.first();
    RowSet users(db, QStringLiteral("select * from usertable"));
    users.open();
    const int row = UserAccounts::firstRowNamed(users, user);
    if (row < 0) {
        err << QStringLiteral("没有名为“%1”的用户，密码未更改。\n").arg(user);
        return 1;
    }
    const std::optional<QString> password = readPassword();
    if (!password) {
        err << QStringLiteral("没有读到新密码，用户“%1”的密码未更改。\n").arg(user);
        return 1;
    }
    users.moveTo(row);
    if (LoginRule::trimBlanks(*password).isEmpty())
        UserAccounts::clearPassword(users);
    else
        UserAccounts::setPassword(users, *password);
    users.post();
    out << (LoginRule::trimBlanks(*password).isEmpty()
                ? QStringLiteral("用户“%1”的密码已清除。\n").arg(user)
                : QStringLiteral("用户“%1”的密码已更改。\n").arg(user));
    return 0;
}

int PasswdCommand::run(QSqlDatabase db, const QStringList& arguments, QTextStream& out,
                       QTextStream& err) {
    return run(
        db, arguments, [&err] { return TerminalPassword::read(err); }, out, err);
}
