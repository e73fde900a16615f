#pragma once

#include <QDialog>

class DbCheckBox;
class RowSet;

// The notes window: a fixed notice and the current user's switch "下次不再提示" (column 提示),
// stored by "&T确定".
class TtsForm : public QDialog {
    Q_OBJECT
public:
    explicit TtsForm(RowSet* userqry, QWidget* parent = nullptr);

    void BitBtn1Click();

    // The notice as shown, line breaks included.
    static QString noticeText();

private:
    QWidget* buildNotice();

    RowSet* userqry_;
    DbCheckBox* DBCheckBox1_;
};
