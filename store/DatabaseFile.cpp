#include "DatabaseFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

DatabaseFile::Kind DatabaseFile::classify(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir())
        return Kind::Folder;
    if (!info.exists())
        return info.isSymLink() ? Kind::Unreadable : Kind::Missing;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Kind::Unreadable;
    return classifyHeader(file.read(100));
}

DatabaseFile::Kind DatabaseFile::classifyHeader(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return Kind::Empty;
    if (bytes.startsWith(QByteArray("SQLite format 3\0", 16)))
        return Kind::SQLite;
    const QByteArray jetMagic("\0\1\0\0", 4);
    if (bytes.startsWith(jetMagic + "Standard Jet DB"))
        return Kind::AccessJet;
    if (bytes.startsWith(jetMagic + "Standard ACE DB"))
        return Kind::AccessAce;
    return Kind::Foreign;
}

QString DatabaseFile::problem(Kind kind, const QString& path) {
    const QString file = QDir::toNativeSeparators(path);
    switch (kind) {
    case Kind::AccessJet:
    case Kind::AccessAce:
        return QStringLiteral("数据库文件 %1 是 Access 格式的文件，本程序不能直接使用它。"
                              "文件没有被改动。")
            .arg(file);
    case Kind::Folder:
        return QStringLiteral("%1 是一个文件夹，不是数据库文件。").arg(file);
    case Kind::Unreadable:
        return QStringLiteral("数据库文件 %1 无法读取（没有权限或已被占用）。").arg(file);
    case Kind::Foreign:
        return QStringLiteral("文件 %1 不是本程序的数据库文件。文件没有被改动。").arg(file);
    default:
        return {};
    }
}
