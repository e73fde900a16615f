#include "TloginForm.h"

#include "DbLookupComboBox.h"
#include "MessageBoxes.h"
#include "RowSet.h"
#include "UserAccounts.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStatusBar>
#include <QVBoxLayout>

TloginForm::TloginForm(RowSet* userqry, QWidget* parent) : QDialog(parent), userqry_(userqry) {
    setObjectName(QStringLiteral("loginForm"));
    setWindowTitle(QStringLiteral("登录"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowMinMaxButtonsHint);
    buildControls();
}

void TloginForm::buildControls() {
    UID_ = new DbLookupComboBox(this);
    UID_->setObjectName(QStringLiteral("UID"));
    UID_->setListSource(userqry_, UserAccounts::nameColumn());
    UID_->setDropDownWidth(120);

    upass_ = new QLineEdit(this);
    upass_->setObjectName(QStringLiteral("upass"));
    upass_->setEchoMode(QLineEdit::Password);
    upass_->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));

    BitBtn1_ = new QPushButton(QStringLiteral("&L 登录"), this);
    BitBtn1_->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1_->setDefault(true);
    BitBtn2_ = new QPushButton(QStringLiteral("&X 退出"), this);
    BitBtn2_->setObjectName(QStringLiteral("BitBtn2"));
    for (QPushButton* button : {BitBtn1_, BitBtn2_}) {
        button->setCursor(Qt::PointingHandCursor);
        button->setAutoDefault(false);
    }
    connect(BitBtn1_, &QPushButton::clicked, this, &TloginForm::BitBtn1Click);
    connect(BitBtn2_, &QPushButton::clicked, this, &TloginForm::BitBtn2Click);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("用户ID:"), this), 0, 0);
    fields->addWidget(UID_, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("密  码："), this), 1, 0);
    fields->addWidget(upass_, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("(初始无密码)"), this), 2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1_);
    buttons->addWidget(BitBtn2_);

    auto* content = new QVBoxLayout;
    content->setContentsMargins(24, 24, 24, 12);
    content->addLayout(fields);
    content->addSpacing(12);
    content->addLayout(buttons);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addLayout(content);
    outer->addWidget(buildStatusBar());
}

QStatusBar* TloginForm::buildStatusBar() {
    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    const QStringList texts = {QString(), QString(), QStringLiteral("用户ID 请选择")};
    const int widths[] = {100, 100, 50};
    for (int i = 0; i < texts.size(); ++i) {
        auto* panel = new QLabel(texts[i], bar);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        panel->setMinimumWidth(widths[i]);
        bar->addWidget(panel);
    }
    return bar;
}

void TloginForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    FormShow();
    // The list is needed at once, whether or not the platform reports the activation.
    FormActivate();
}

void TloginForm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TloginForm::FormShow() {
    UID_->setKeyValue(QStringLiteral("A"));
}

// Opening an open row set does nothing; the shown name's first row is (again) made current, so
// the name on screen and the row the password is checked against always agree.
void TloginForm::FormActivate() {
    userqry_->open();
    const QVariant shown = UID_->keyValue();
    if (shown.isValid())
        UID_->setKeyValue(shown);
}

void TloginForm::BitBtn1Click() {
    if (UID_->currentText().isEmpty()) {
        MessageBoxes::warn(this, QStringLiteral("请先选择用户ID!"));
        return;
    }
    if (UserAccounts::logIn(*userqry_, upass_->text())) {
        accept();
        return;
    }
    upass_->setFocus();
    MessageBoxes::warn(this, QStringLiteral("密码不正确,请重新输入!"));
}

void TloginForm::BitBtn2Click() {
    QDialog::reject();
}
