#include "TerminalPassword.h"

#include <cstdio>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

// Switches terminal echo off for its lifetime and restores it even when reading fails.
class EchoOff {
public:
    EchoOff() {
        if (tcgetattr(STDIN_FILENO, &saved_) != 0)
            return;
        termios quiet = saved_;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        active_ = tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet) == 0;
    }
    ~EchoOff() {
        if (active_)
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_);
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    termios saved_{};
    bool active_ = false;
};

} // namespace

std::optional<QString> TerminalPassword::readLine(bool hideTyping) {
    std::optional<EchoOff> echoOff;
    if (hideTyping)
        echoOff.emplace();
    std::string line;
    int c = 0;
    while ((c = std::getchar()) != EOF && c != '\n')
        line.push_back(char(c));
    if (c == EOF && line.empty())
        return std::nullopt;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return QString::fromStdString(line);
}

std::optional<QString> TerminalPassword::read(QTextStream& prompt) {
    const bool terminal = isatty(STDIN_FILENO) == 1;
    if (!terminal)
        return readLine(false);
    prompt << QStringLiteral("新密码：") << Qt::flush;
    const auto first = readLine(true);
    prompt << '\n' << QStringLiteral("再输入一次：") << Qt::flush;
    const auto second = first ? readLine(true) : std::nullopt;
    prompt << '\n' << Qt::flush;
    if (!first || !second)
        return std::nullopt;
    if (*first != *second) {
        prompt << QStringLiteral("两次输入的密码不一致，密码未更改。\n") << Qt::flush;
        return std::nullopt;
    }
    return first;
}
