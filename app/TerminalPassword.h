#pragma once

#include <QString>
#include <QTextStream>
#include <optional>

// Reads a password from standard input. On a terminal the typed characters are not echoed and
// the password is asked for twice; from a pipe the first line is the password. Nothing reaches
// the process list.
class TerminalPassword {
public:
    // Prompts go to `prompt` (standard error). Nothing when the input ends first or the two
    // entries on a terminal differ (the reason is written to `prompt`).
    static std::optional<QString> read(QTextStream& prompt);

private:
    static std::optional<QString> readLine(bool hideTyping);
};
