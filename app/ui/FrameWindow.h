#pragma once

#include <QDialog>

// A window of the program that has its frame and caption but no content yet.
class FrameWindow : public QDialog {
    Q_OBJECT
public:
    FrameWindow(const QString& objectName, const QString& caption, QWidget* parent);
};
