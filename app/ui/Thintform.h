#pragma once

#include <QDialog>

// The help window: where the printed items stand, fonts, limits and backing up the data.
class Thintform : public QDialog {
    Q_OBJECT
public:
    explicit Thintform(QWidget* parent);
};
