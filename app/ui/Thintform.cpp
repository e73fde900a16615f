#include "Thintform.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Thintform::Thintform(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("hintform"));
    setWindowTitle(QStringLiteral("帮助"));
    auto* text = new QLabel(
        QStringLiteral(
            "打印位置：各打印项目的位置以毫米为单位，从发票纸的上边和左边量起；"
            "在“打印”菜单的“位置、字体、大小调整”中移动、改字体和字号，保存后下次打印即按新位置。\n"
            "\n"
            "字体：默认宋体 9.75 磅，密码区为 Courier New 12 磅，可按打印机效果调整。\n\n"
            "每张发票最多打印 8 行货物明细，超出的行只计入合计。\n\n"
            "打印方向为横向，套打纸张为 240 × 140 毫米；A4 版式用 A4 纸。\n\n"
            "备份：退出程序后，把数据文件夹中的 kolu.mdb 复制到另一个文件夹或移动存储即可。"),
        this);
    text->setWordWrap(true);
    auto* ok = new QPushButton(QStringLiteral("&T确定"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(ok, 0, Qt::AlignRight);
    resize(520, 360);
}
