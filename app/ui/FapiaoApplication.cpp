#include "FapiaoApplication.h"

#include "DbError.h"

#include <QMessageBox>

FapiaoApplication::FapiaoApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool FapiaoApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const DbError& e) {
        showError(e.message());
    } catch (const std::exception& e) {
        showError(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

void FapiaoApplication::showError(const QString& message) {
    QMessageBox::critical(activeWindow(), QStringLiteral("错误"), message);
}
