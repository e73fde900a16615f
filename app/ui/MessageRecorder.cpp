#include "MessageRecorder.h"

MessageRecorder::MessageRecorder(QMessageBox::StandardButton defaultAnswer)
    : defaultAnswer_(defaultAnswer) {
    previous_ = MessageBoxes::setHandler([this](QWidget*, const MessageBoxes::Message& message) {
        messages_.append(message);
        return answers_.isEmpty() ? defaultAnswer_ : answers_.takeFirst();
    });
}

MessageRecorder::~MessageRecorder() {
    MessageBoxes::setHandler(std::move(previous_));
}

QStringList MessageRecorder::texts() const {
    QStringList all;
    for (const MessageBoxes::Message& m : messages_)
        all << m.text;
    return all;
}
