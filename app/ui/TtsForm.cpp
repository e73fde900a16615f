#include "TtsForm.h"

#include "DbCheckBox.h"
#include "RowSet.h"
#include "UserAccounts.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TtsForm::TtsForm(RowSet* userqry, QWidget* parent) : QDialog(parent), userqry_(userqry) {
    setObjectName(QStringLiteral("tsForm"));
    setWindowTitle(QStringLiteral("说明"));

    DBCheckBox1_ = new DbCheckBox(QStringLiteral("下次不再提示"), this);
    DBCheckBox1_->setObjectName(QStringLiteral("DBCheckBox1"));
    DBCheckBox1_->bind(userqry_, UserAccounts::promptColumn());

    auto* ok = new QPushButton(QStringLiteral("&T确定"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setCursor(Qt::PointingHandCursor);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TtsForm::BitBtn1Click);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(DBCheckBox1_);
    bottom->addStretch();
    bottom->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildNotice(), 1);
    layout->addLayout(bottom);
}

QString TtsForm::noticeText() {
    return QStringLiteral("软件说明：") + QStringLiteral("\n\n\n") +
           QStringLiteral("  本软件生成密码是随机生成，不能通过验证，") + QStringLiteral("\n\n") +
           QStringLiteral("是无效密码。另外本软件仅供收款及资料管理、") + QStringLiteral("\n\n") +
           QStringLiteral("学习使用，请 勿 用作 非 法以及非正当用途，") + QStringLiteral("\n\n") +
           QStringLiteral("否则，造成的一切后果，由用户自已承担。");
}

QWidget* TtsForm::buildNotice() {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::StyledPanel);
    auto* text = new QLabel(noticeText(), panel);
    text->setObjectName(QStringLiteral("Label1"));
    text->setTextFormat(Qt::PlainText);
    QFont font(QStringLiteral("新宋体"));
    font.setPixelSize(16);
    text->setFont(font);
    QPalette palette = text->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    text->setPalette(palette);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(text);
    return panel;
}

// With no user left there is no row to store the switch in; a new empty user is not made.
void TtsForm::BitBtn1Click() {
    if (!userqry_->isEmpty())
        userqry_->edit();
    userqry_->saveAll();
    accept();
}
