#pragma once

#include <QSqlDatabase>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <optional>

// `fapiao [--data-dir DIR] passwd USER`: gives a locked-out user a new password, read from
// standard input and stored as a hash in the first user row of that name (the row the login
// uses). An empty entry removes the password, as for a new user. Exit code 0 or 1.
class PasswdCommand {
public:
    using PasswordSource = std::function<std::optional<QString>()>;

    // `arguments` are those after "passwd" (exactly one user name).
    static int run(QSqlDatabase db, const QStringList& arguments,
                   const PasswordSource& readPassword, QTextStream& out, QTextStream& err);
    // Reads the password from standard input (see TerminalPassword), prompting on `err`.
    static int run(QSqlDatabase db, const QStringList& arguments, QTextStream& out,
                   QTextStream& err);
};
