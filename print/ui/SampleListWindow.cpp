#include "SampleListWindow.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

SampleListWindow::SampleListWindow(SampleListPicture::Form form, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("清单"));
    setWindowState(Qt::WindowMaximized);

    image_ = new QLabel(this);
    image_->setObjectName(QStringLiteral("Image1"));
    image_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image_->setPixmap(QPixmap::fromImage(SampleListPicture::picture(form)));
    image_->setAutoFillBackground(true);
    image_->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(image_);

    auto* demo = new QLabel(QStringLiteral("演 示"), image_);
    demo->setObjectName(QStringLiteral("Label1"));
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(21);
    demo->setFont(font);
    demo->setStyleSheet(QStringLiteral("color: red; background: transparent;"));
    // Clicks on the word count as clicks on the picture.
    demo->setAttribute(Qt::WA_TransparentForMouseEvents);
    demo->adjustSize();
    demo->move(440, 8);
}

bool SampleListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == image_ && event->type() == QEvent::MouseButtonRelease) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
