#include "FrameWindow.h"

#include <QLabel>
#include <QVBoxLayout>

FrameWindow::FrameWindow(const QString& objectName, const QString& caption, QWidget* parent)
    : QDialog(parent) {
    setObjectName(objectName);
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("此功能尚在建设中。"), this));
}
