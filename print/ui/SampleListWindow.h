#pragma once

#include "SampleListPicture.h"

#include <QDialog>

class QLabel;

// A sample window of the print menu: caption "清单", opened maximised, the picture of one
// sales-list form at its natural size from the top-left corner with the red word "演 示" over
// it. A click on the picture closes the window.
class SampleListWindow : public QDialog {
    Q_OBJECT
public:
    SampleListWindow(SampleListPicture::Form form, QWidget* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* image_ = nullptr;
};
