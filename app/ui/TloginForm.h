#pragma once

#include <QDialog>

class DbLookupComboBox;
class QLineEdit;
class QPushButton;
class QStatusBar;
class RowSet;

// The login window shown once at start-up on the shared user row set. exec() answers Accepted
// after a successful login (the logged-in user's row is then current) and Rejected after
// "&X 退出"; there is no other way out.
class TloginForm : public QDialog {
    Q_OBJECT
public:
    explicit TloginForm(RowSet* userqry, QWidget* parent = nullptr);

    void FormShow();
    void FormActivate();
    void BitBtn1Click();
    void BitBtn2Click();

    // Escape and the window manager's close do nothing: only the two buttons leave.
    void reject() override {}

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    QStatusBar* buildStatusBar();

    RowSet* userqry_;
    DbLookupComboBox* UID_;
    QLineEdit* upass_;
    QPushButton* BitBtn1_;
    QPushButton* BitBtn2_;
};
