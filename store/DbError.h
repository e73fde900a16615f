#pragma once

#include <QString>
#include <stdexcept>

// A failure of the database or of a conversion. Handlers do not catch it: the step stops and
// the application's error box shows what() (the message is in the user's words where we make it).
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};
