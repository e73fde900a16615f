#include "PasswordHash.h"

#include "DbError.h"

#include <sodium.h>

namespace {

void startSodium() {
    // sodium_init may be called again; it only picks the fastest code and readies the RNG.
    static const int started = sodium_init();
    if (started < 0)
        throw DbError(QStringLiteral("无法启动密码加密组件。"));
}

} // namespace

QString PasswordHash::make(const QString& password) {
    startSodium();
    const QByteArray bytes = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, bytes.constData(), quint64(bytes.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw DbError(QStringLiteral("内存不足，无法加密密码。"));
    return QString::fromLatin1(out);
}

bool PasswordHash::matches(const QString& hash, const QString& password) {
    startSodium();
    const QByteArray stored = hash.toLatin1();
    const QByteArray bytes = password.toUtf8();
    return crypto_pwhash_str_verify(stored.constData(), bytes.constData(), quint64(bytes.size())) ==
           0;
}

bool PasswordHash::isHash(const QString& stored) {
    if (!stored.startsWith(QLatin1String("$argon2")) || stored.size() >= crypto_pwhash_STRBYTES)
        return false;
    startSodium();
    // needs_rehash parses the whole string and answers -1 for anything that is not a hash.
    const QByteArray text = stored.toLatin1();
    return crypto_pwhash_str_needs_rehash(text.constData(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != -1;
}
