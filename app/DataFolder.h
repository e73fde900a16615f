#pragma once

#include <QString>

// Where the data files live: the folder given on the command line, else the program's own
// folder when it is writable, else the per-user application data folder.
namespace DataFolder {

QString resolve(const QString& programFolder, const QString& override);
bool isWritableFolder(const QString& folder);

} // namespace DataFolder
