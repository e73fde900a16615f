#include "FindDialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FindDialog::FindDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("查找"));
    setObjectName(QStringLiteral("FindDialog"));
    edit_ = new QLineEdit(this);
    caseBox_ = new QCheckBox(QStringLiteral("区分大小写"), this);
    auto* next = new QPushButton(QStringLiteral("查找下一个(&N)"), this);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    next->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("查找内容:"), this));
    row->addWidget(edit_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(caseBox_);
    buttons->addStretch();
    buttons->addWidget(next);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    connect(next, &QPushButton::clicked, this, [this] {
        if (!edit_->text().isEmpty())
            emit findNext(edit_->text(), caseSensitive() ? Qt::CaseSensitive : Qt::CaseInsensitive);
    });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}

QString FindDialog::text() const {
    return edit_->text();
}

bool FindDialog::caseSensitive() const {
    return caseBox_->isChecked();
}
