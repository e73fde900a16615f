#pragma once

#include "MessageBoxes.h"

#include <QList>
#include <QStringList>

// For tests: while it lives, message boxes are not shown but recorded and answered, first from
// the queued answers, then with the default answer.
class MessageRecorder {
public:
    explicit MessageRecorder(QMessageBox::StandardButton defaultAnswer = QMessageBox::Yes);
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void queueAnswer(QMessageBox::StandardButton answer) { answers_.append(answer); }
    const QList<MessageBoxes::Message>& messages() const { return messages_; }
    QStringList texts() const;
    void clear() { messages_.clear(); }

private:
    QMessageBox::StandardButton defaultAnswer_;
    QList<QMessageBox::StandardButton> answers_;
    QList<MessageBoxes::Message> messages_;
    MessageBoxes::Handler previous_;
};
