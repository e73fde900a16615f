#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

// The program's modal message boxes. Every window asks through here, so a test can take the
// place of the person answering (see MessageRecorder) without a box ever appearing.
class MessageBoxes {
public:
    enum class Icon { None, Information, Exclamation, Question, Error };
    struct Message {
        QString caption;
        QString text;
        Icon icon = Icon::None;
        QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    };
    using Handler = std::function<QMessageBox::StandardButton(QWidget* parent, const Message&)>;

    // Caption "信息", OK button: no icon / exclamation icon.
    static void inform(QWidget* parent, const QString& text);
    static void warn(QWidget* parent, const QString& text);
    // Caption "信息", question icon, Yes and No; true only on Yes.
    static bool confirm(QWidget* parent, const QString& text);
    // Any other box; answers with the button pressed.
    static QMessageBox::StandardButton show(QWidget* parent, const Message& message);

    // Puts `handler` in place of the real boxes (an empty one restores them); returns the one
    // it replaces.
    static Handler setHandler(Handler handler);

private:
    static QMessageBox::StandardButton showBox(QWidget* parent, const Message& message);
    static Handler& handler();
};
