#pragma once

#include <QStringList>
#include <QTextStream>

// The command-line face: `fapiao [--data-dir DIR] <command> ...`. It calls the same logic as the
// windows. Returns the process exit code.
namespace CommandLine {

// True when the arguments (without the program name) ask for a command rather than the windows.
bool wantsCommand(const QStringList& arguments);
// The data folder given with --data-dir, or empty.
QString dataDirOption(const QStringList& arguments);
int run(const QStringList& arguments, const QString& programFolder, QTextStream& out,
        QTextStream& err);
QString usage();

} // namespace CommandLine
