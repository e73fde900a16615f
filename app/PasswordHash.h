#pragma once

#include <QString>

// Salted, deliberately slow password hashes (Argon2id, self-describing string form), so the
// user table never holds a password that could be read back.
class PasswordHash {
public:
    // A new hash of `password` with a fresh random salt. Throws DbError when the hashing
    // library cannot start or runs out of memory.
    static QString make(const QString& password);
    // Whether `password` is the one `hash` was made from.
    static bool matches(const QString& hash, const QString& password);
    // Whether a stored value is such a hash (rather than a password typed in by hand).
    static bool isHash(const QString& stored);
};
