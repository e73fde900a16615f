#pragma once

#include <QByteArray>
#include <QString>

// What lies at the database file's path, judged before anything opens or writes it.
class DatabaseFile {
public:
    enum class Kind { Missing, Empty, SQLite, AccessJet, AccessAce, Folder, Unreadable, Foreign };

    static Kind classify(const QString& path);
    static Kind classifyHeader(const QByteArray& firstBytes);
    // The user's message for a path we must not use; empty for Missing, Empty and SQLite.
    static QString problem(Kind kind, const QString& path);
};
