#pragma once

#include <QDialog>

class DataGrid;
class DbEdit;
class QLineEdit;
class QPushButton;
class RowSet;

// Users and passwords on the shared user row set. The password box shows nothing of the
// stored value: a password typed there replaces the current user's password (as a hash) when
// the row is posted; left empty, the old one stays. "清除密码" sets the user back to no password.
class TepassForm : public QDialog {
    Q_OBJECT
public:
    explicit TepassForm(RowSet* userqry, QWidget* parent = nullptr);

    void BitBtn1Click(); // add
    void BitBtn2Click(); // edit
    void BitBtn3Click(); // save
    void BitBtn4Click(); // delete
    void BitBtn5Click(); // close
    void clearpassbtnClick();

private:
    QWidget* buildButtonPanel();
    QWidget* buildFields();
    QPushButton* addButton(QWidget* panel, const QString& name, const QString& caption,
                           void (TepassForm::*handler)());
    void DBEdit2Edited();
    void takeTypedPassword();
    void showPasswordState();

    RowSet* userqry_;
    DbEdit* uedit_ = nullptr;
    QLineEdit* DBEdit2_ = nullptr;
    DataGrid* DBGridEh1_ = nullptr;
};
