#pragma once

#include <QApplication>

// The application object. A database or conversion failure thrown by any handler stops that
// handler and is shown in the error box; the window stays open.
class FapiaoApplication : public QApplication {
    Q_OBJECT
public:
    FapiaoApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    static void showError(const QString& message);
};
