#include "MessageBoxes.h"

namespace {

QString informationCaption() {
    return QStringLiteral("信息");
}

QMessageBox::Icon boxIcon(MessageBoxes::Icon icon) {
    switch (icon) {
    case MessageBoxes::Icon::Information:
        return QMessageBox::Information;
    case MessageBoxes::Icon::Exclamation:
        return QMessageBox::Warning;
    case MessageBoxes::Icon::Question:
        return QMessageBox::Question;
    case MessageBoxes::Icon::Error:
        return QMessageBox::Critical;
    case MessageBoxes::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void MessageBoxes::inform(QWidget* parent, const QString& text) {
    show(parent, {informationCaption(), text, Icon::None, QMessageBox::Ok});
}

void MessageBoxes::warn(QWidget* parent, const QString& text) {
    show(parent, {informationCaption(), text, Icon::Exclamation, QMessageBox::Ok});
}

bool MessageBoxes::confirm(QWidget* parent, const QString& text) {
    return show(parent, {informationCaption(), text, Icon::Question,
                         QMessageBox::Yes | QMessageBox::No}) == QMessageBox::Yes;
}

QMessageBox::StandardButton MessageBoxes::show(QWidget* parent, const Message& message) {
    return handler() ? handler()(parent, message) : showBox(parent, message);
}

MessageBoxes::Handler MessageBoxes::setHandler(Handler replacement) {
    Handler previous = std::move(handler());
    handler() = std::move(replacement);
    return previous;
}

QMessageBox::StandardButton MessageBoxes::showBox(QWidget* parent, const Message& message) {
    QMessageBox box(boxIcon(message.icon), message.caption, message.text, message.buttons, parent);
    return QMessageBox::StandardButton(box.exec());
}

MessageBoxes::Handler& MessageBoxes::handler() {
    static Handler current;
    return current;
}
