#include "TsetfpForm.h"

#include "PrintStaging.h"

#include <QGridLayout>
#include <QLineEdit>

TsetfpForm::TsetfpForm(const PrintStaging& staging, QWidget* parent)
    : QDialog(parent), staging_(staging) {
    setObjectName(QStringLiteral("setfpForm"));
    setWindowTitle(QStringLiteral("发票打印设置"));
    auto* grid = new QGridLayout(this);
    for (int n = 1; n <= PrintStaging::CellCount; ++n) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("Edit%1").arg(n));
        // The cells are refilled by every print; typing here would be lost.
        edit->setReadOnly(true);
        edit->setMinimumWidth(80);
        const int row = (n - 1) / PrintStaging::ColumnCount;
        const int column = (n - 1) % PrintStaging::ColumnCount;
        grid->addWidget(edit, row, column);
        edits_ << edit;
    }
    refresh();
}

QLineEdit* TsetfpForm::edit(int n) const {
    return edits_.at(n - 1);
}

void TsetfpForm::refresh() {
    for (int n = 1; n <= PrintStaging::CellCount; ++n)
        edits_.at(n - 1)->setText(staging_.cell(n));
}
