#pragma once

#include <QString>
#include <QVariant>

class RowSet;

// The password side of the user list (table usertable, one row per user, the first row of a
// name is the one that counts). Works on the current row of the shared user row set.
class UserAccounts {
public:
    static QString nameColumn() { return QStringLiteral("用户"); }
    static QString passwordColumn() { return QStringLiteral("密码"); }
    static QString promptColumn() { return QStringLiteral("提示"); }

    // Checks `typed` against the current row. A password still stored as plain text is
    // replaced by its hash and written at once when it lets the user in.
    static bool logIn(RowSet& users, const QString& typed);
    // Gives the current row a new password (pending until the row is posted).
    static void setPassword(RowSet& users, const QString& newPassword);
    // Back to "no password" (null), pending until the row is posted.
    static void clearPassword(RowSet& users);
    // The first row with that name, or -1.
    static int firstRowNamed(const RowSet& users, const QString& name);
};
