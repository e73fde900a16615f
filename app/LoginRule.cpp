#include "LoginRule.h"

#include "PasswordHash.h"

QString LoginRule::trimBlanks(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start).unicode() <= u' ')
        ++start;
    while (end > start && text.at(end - 1).unicode() <= u' ')
        --end;
    return text.mid(start, end - start);
}

bool LoginRule::accepts(const QVariant& stored, const QString& typed) {
    if (stored.isNull())
        return typed.isEmpty();
    const QString text = stored.toString();
    if (PasswordHash::isHash(text))
        return PasswordHash::matches(text, trimBlanks(typed));
    return trimBlanks(text) == trimBlanks(typed);
}

std::optional<QString> LoginRule::replacementAfterLogin(const QVariant& stored) {
    if (stored.isNull())
        return std::nullopt;
    const QString text = stored.toString();
    // A blank password has no secret to hide; hashing it would only cost time.
    if (PasswordHash::isHash(text) || trimBlanks(text).isEmpty())
        return std::nullopt;
    return PasswordHash::make(trimBlanks(text));
}

QString LoginRule::storedForm(const QString& newPassword) {
    const QString trimmed = trimBlanks(newPassword);
    return trimmed.isEmpty() ? QStringLiteral("") : PasswordHash::make(trimmed);
}
