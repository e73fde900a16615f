#include "UserAccounts.h"

#include "LoginRule.h"
#include "RowSet.h"

bool UserAccounts::logIn(RowSet& users, const QString& typed) {
    const QVariant stored = users.value(passwordColumn());
    if (!LoginRule::accepts(stored, typed))
        return false;
    if (const auto replacement = LoginRule::replacementAfterLogin(stored)) {
        users.setValue(passwordColumn(), *replacement);
        users.post();
    }
    return true;
}

void UserAccounts::setPassword(RowSet& users, const QString& newPassword) {
    users.setValue(passwordColumn(), LoginRule::storedForm(newPassword));
}

void UserAccounts::clearPassword(RowSet& users) {
    users.setValue(passwordColumn(), QVariant());
}

int UserAccounts::firstRowNamed(const RowSet& users, const QString& name) {
    for (int row = 0; row < users.rowCount(); ++row)
        if (users.value(row, nameColumn()).toString() == name)
            return row;
    return -1;
}
