#include "TepassForm.h"

#include "DataGrid.h"
#include "DbEdit.h"
#include "MessageBoxes.h"
#include "RowSet.h"
#include "UserAccounts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

TepassForm::TepassForm(RowSet* userqry, QWidget* parent) : QDialog(parent), userqry_(userqry) {
    setObjectName(QStringLiteral("epassForm"));
    setWindowTitle(QStringLiteral("增加用户、修改密码"));

    DBGridEh1_ = new DataGrid(this);
    DBGridEh1_->setObjectName(QStringLiteral("DBGridEh1"));
    GridColumn name;
    name.field = UserAccounts::nameColumn();
    name.width = 150;
    DBGridEh1_->setRowSet(userqry_, {name});
    DBGridEh1_->setReadOnly(true);
    DBGridEh1_->setRowsEditable(false);

    auto* statusBar = new QStatusBar(this);
    statusBar->setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i)
        statusBar->addWidget(new QLabel(statusBar), 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildButtonPanel());
    layout->addWidget(buildFields());
    layout->addWidget(DBGridEh1_, 1);
    layout->addWidget(statusBar);

    // A password typed but not yet taken goes into the row whenever the row is written, also by
    // a save elsewhere (the notes window) or by moving to another user.
    connect(userqry_, &RowSet::aboutToPost, this, &TepassForm::takeTypedPassword);
    connect(userqry_, &RowSet::dataChanged, this, [this](const QString& column) {
        if (column.isEmpty())
            DBEdit2_->clear();
        if (column.isEmpty() || column == UserAccounts::passwordColumn())
            showPasswordState();
    });
    showPasswordState();
}

QWidget* TepassForm::buildButtonPanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    auto* row = new QHBoxLayout(panel);
    addButton(panel, QStringLiteral("BitBtn1"), QStringLiteral("&A增加"),
              &TepassForm::BitBtn1Click);
    addButton(panel, QStringLiteral("BitBtn2"), QStringLiteral("&E修改"),
              &TepassForm::BitBtn2Click);
    addButton(panel, QStringLiteral("BitBtn3"), QStringLiteral("&S保存"),
              &TepassForm::BitBtn3Click);
    addButton(panel, QStringLiteral("BitBtn4"), QStringLiteral("&D删除"),
              &TepassForm::BitBtn4Click);
    addButton(panel, QStringLiteral("BitBtn5"), QStringLiteral("&X关闭"),
              &TepassForm::BitBtn5Click);
    row->addStretch();
    return panel;
}

QPushButton* TepassForm::addButton(QWidget* panel, const QString& name, const QString& caption,
                                   void (TepassForm::*handler)()) {
    auto* button = new QPushButton(caption, panel);
    button->setObjectName(name);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, handler);
    panel->layout()->addWidget(button);
    return button;
}

QWidget* TepassForm::buildFields() {
    auto* box = new QWidget(this);
    uedit_ = new DbEdit(box);
    uedit_->setObjectName(QStringLiteral("uedit"));
    uedit_->bind(userqry_, UserAccounts::nameColumn());

    DBEdit2_ = new QLineEdit(box);
    DBEdit2_->setObjectName(QStringLiteral("DBEdit2"));
    DBEdit2_->setEchoMode(QLineEdit::Password);
    DBEdit2_->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    connect(DBEdit2_, &QLineEdit::textEdited, this, &TepassForm::DBEdit2Edited);

    auto* clear = new QPushButton(QStringLiteral("清除密码"), box);
    clear->setObjectName(QStringLiteral("clearpassbtn"));
    clear->setAutoDefault(false);
    connect(clear, &QPushButton::clicked, this, &TepassForm::clearpassbtnClick);

    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel(QStringLiteral("用户："), box), 0, 0);
    grid->addWidget(uedit_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("密码"), box), 1, 0);
    grid->addWidget(DBEdit2_, 1, 1);
    grid->addWidget(clear, 1, 2);
    return box;
}

void TepassForm::BitBtn1Click() {
    userqry_->append();
    uedit_->setFocus();
}

void TepassForm::BitBtn2Click() {
    userqry_->edit();
    uedit_->setFocus();
}

void TepassForm::BitBtn3Click() {
    userqry_->saveAll();
    MessageBoxes::inform(this, QStringLiteral("资料已保存!"));
}

void TepassForm::BitBtn4Click() {
    if (MessageBoxes::confirm(this, QStringLiteral("您是否真的要删除这笔用户记录吗?")))
        userqry_->deleteCurrent();
}

void TepassForm::BitBtn5Click() {
    close();
}

void TepassForm::clearpassbtnClick() {
    DBEdit2_->clear();
    UserAccounts::clearPassword(*userqry_);
}

// Typing a password starts editing the user's row, as typing into a bound edit does.
void TepassForm::DBEdit2Edited() {
    if (userqry_->isOpen() && !userqry_->isEditing())
        userqry_->edit();
}

void TepassForm::takeTypedPassword() {
    if (DBEdit2_->text().isEmpty() || !userqry_->isEditing())
        return;
    const QString typed = DBEdit2_->text();
    DBEdit2_->clear();
    UserAccounts::setPassword(*userqry_, typed);
}

void TepassForm::showPasswordState() {
    const bool none = !userqry_->isOpen() || userqry_->currentRow() < 0 ||
                      userqry_->value(UserAccounts::passwordColumn()).isNull();
    DBEdit2_->setPlaceholderText(none ? QStringLiteral("无密码")
                                      : QStringLiteral("已设密码，留空则不变"));
}
