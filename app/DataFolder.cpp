#include "DataFolder.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace DataFolder {

bool isWritableFolder(const QString& folder) {
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".write-test-XXXXXX")));
    return probe.open();
}

QString resolve(const QString& programFolder, const QString& override) {
    QString folder = override;
    if (folder.isEmpty())
        folder = isWritableFolder(programFolder)
                     ? programFolder
                     : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return QDir(folder).absolutePath();
}

} // namespace DataFolder
