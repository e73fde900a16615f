#pragma once

#include <QString>
#include <QVariant>
#include <optional>

// The login check on the stored 密码 of a user row: null means "no password" (only an empty
// entry passes); a text is compared with the entry after both lose their leading and trailing
// blanks and control characters, exactly, so case matters. A stored text is either a hash of
// the trimmed password or, when made by hand or by an older tool, the plain password itself.
class LoginRule {
public:
    // Removes leading and trailing characters whose codes are at or below the blank.
    static QString trimBlanks(const QString& text);
    static bool accepts(const QVariant& stored, const QString& typed);
    // What to store in place of `stored` once it has accepted a login: the hash of a password
    // still stored as plain text; nothing when the stored value is fine as it is.
    static std::optional<QString> replacementAfterLogin(const QVariant& stored);
    // How a newly chosen password is stored: the hash of its trimmed text, or the empty text
    // when nothing but blanks is left (which, like the hash of nothing, admits blank entries).
    static QString storedForm(const QString& newPassword);
};
