#pragma once

#include <QDialog>

class PrintStaging;
class QLineEdit;

// 发票打印设置: the staging cells of the last print, Edit1..Edit64 as eight rows (lines) of
// eight columns and the three sums Edit65..Edit67 in a ninth row. No print command shows it;
// call refresh() after the cells change.
class TsetfpForm : public QDialog {
    Q_OBJECT
public:
    explicit TsetfpForm(const PrintStaging& staging, QWidget* parent = nullptr);

    QLineEdit* edit(int n) const;

public slots:
    void refresh();

private:
    const PrintStaging& staging_;
    QList<QLineEdit*> edits_;
};
