#pragma once

#include "Database.h"
#include "RowSet.h"

#include <QDir>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// A fresh kolu.mdb in a temporary folder with exactly the given users, and the shared user
// row set on it (not yet opened).
struct UserRow {
    QVariant name;
    QVariant password;
    QVariant prompt = false;
};

class UserTableFixture {
public:
    explicit UserTableFixture(const QList<UserRow>& users) {
        QVERIFY(dir.isValid());
        db = std::make_unique<Database>(dir.path());
        QSqlQuery q(db->connection());
        QVERIFY(q.exec(QStringLiteral("delete from usertable")));
        for (const UserRow& u : users) {
            QVERIFY(
                q.prepare(QStringLiteral("insert into usertable(用户, 密码, 提示) values(?,?,?)")));
            q.addBindValue(u.name);
            q.addBindValue(u.password);
            q.addBindValue(u.prompt.isNull() ? QVariant() : QVariant(u.prompt.toBool() ? 1 : 0));
            QVERIFY(q.exec());
        }
        userqry =
            std::make_unique<RowSet>(db->connection(), QStringLiteral("select * from usertable"));
    }

    // Column values of every user in stored order, read straight from the file.
    QVariantList stored(const QString& column) const {
        QSqlQuery q(db->connection());
        q.exec(QStringLiteral("select %1 from usertable order by rid").arg(column));
        QVariantList values;
        while (q.next())
            values << (q.isNull(0) ? QVariant() : q.value(0));
        return values;
    }

    // Whether any file of the data folder (database, journal, write-ahead log) holds `text` in
    // UTF-8 or UTF-16.
    bool filesContain(const QString& text) const {
        const QByteArray utf8 = text.toUtf8();
        const QByteArray utf16(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        for (const QFileInfo& f : QDir(dir.path()).entryInfoList(QDir::Files)) {
            QFile file(f.filePath());
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QByteArray bytes = file.readAll();
            if (bytes.contains(utf8) || bytes.contains(utf16))
                return true;
        }
        return false;
    }

    QTemporaryDir dir;
    std::unique_ptr<Database> db;
    std::unique_ptr<RowSet> userqry;
};
