#include "SampleListPicture.h"

#include <QHash>
#include <QPainter>

namespace {

struct SampleLine {
    const char* name;
    const char* model;
    const char* unit;
    int quantity;
    int priceFen;
};

// Invented goods of an invented office-supplies trade; tax is 13 % of each amount.
const SampleLine Lines[] = {
    {"复印纸", "A4 70克", "箱", 20, 12500}, {"中性笔", "0.5毫米 黑", "盒", 50, 1800},
    {"文件夹", "A4 双夹", "个", 100, 650},  {"订书机", "12号", "台", 10, 3500},
    {"硒鼓", "SL-12", "只", 6, 28000},      {"笔记本", "B5 60页", "本", 200, 420},
    {"计算器", "12位", "台", 15, 4800},     {"收纳箱", "50升", "个", 12, 3900},
    {"白板笔", "黑色", "盒", 30, 1500},     {"档案盒", "5厘米", "个", 80, 780},
};
constexpr int TaxPercent = 13;

QString money(qint64 fen) {
    return QStringLiteral("%1.%2").arg(fen / 100).arg(fen % 100, 2, 10, QLatin1Char('0'));
}

qint64 taxOf(qint64 amountFen) {
    return (amountFen * TaxPercent + 50) / 100;
}

// Column edges in pixels and the captions of the goods table.
const int Edges[] = {40, 90, 290, 420, 480, 560, 660, 790, 850, 960};
const char* const Headings[] = {"序号", "货物(劳务)名称", "规格型号", "单位", "数量",
                                "单价", "金额",           "税率",     "税额"};

void cell(QPainter& p, int column, int top, int height, const QString& text, int align) {
    const QRect box(Edges[column] + 4, top, Edges[column + 1] - Edges[column] - 8, height);
    p.drawText(box, align | Qt::AlignVCenter, text);
}

void drawTable(QPainter& p, int top) {
    constexpr int RowHeight = 30;
    const int rows = int(std::size(Lines)) + 3; // heading, lines, subtotal, total
    const int bottom = top + rows * RowHeight;
    p.setPen(QPen(Qt::black, 1));
    for (int r = 0; r <= rows; ++r)
        p.drawLine(Edges[0], top + r * RowHeight, Edges[std::size(Edges) - 1], top + r * RowHeight);
    for (int edge : Edges)
        p.drawLine(edge, top, edge, top + (rows - 2) * RowHeight);
    p.drawLine(Edges[0], bottom - 2 * RowHeight, Edges[0], bottom);
    p.drawLine(Edges[std::size(Edges) - 1], bottom - 2 * RowHeight, Edges[std::size(Edges) - 1],
               bottom);

    for (int c = 0; c < int(std::size(Headings)); ++c)
        cell(p, c, top, RowHeight, QString::fromUtf8(Headings[c]), Qt::AlignHCenter);
    qint64 amountSum = 0;
    qint64 taxSum = 0;
    int y = top + RowHeight;
    int number = 1;
    for (const SampleLine& line : Lines) {
        const qint64 amount = qint64(line.quantity) * line.priceFen;
        amountSum += amount;
        taxSum += taxOf(amount);
        cell(p, 0, y, RowHeight, QString::number(number++), Qt::AlignHCenter);
        cell(p, 1, y, RowHeight, QString::fromUtf8(line.name), Qt::AlignLeft);
        cell(p, 2, y, RowHeight, QString::fromUtf8(line.model), Qt::AlignLeft);
        cell(p, 3, y, RowHeight, QString::fromUtf8(line.unit), Qt::AlignHCenter);
        cell(p, 4, y, RowHeight, QString::number(line.quantity), Qt::AlignRight);
        cell(p, 5, y, RowHeight, money(line.priceFen), Qt::AlignRight);
        cell(p, 6, y, RowHeight, money(amount), Qt::AlignRight);
        cell(p, 7, y, RowHeight, QStringLiteral("%1%").arg(TaxPercent), Qt::AlignHCenter);
        cell(p, 8, y, RowHeight, money(taxOf(amount)), Qt::AlignRight);
        y += RowHeight;
    }
    for (const QString& caption : {QStringLiteral("小计"), QStringLiteral("总计")}) {
        cell(p, 1, y, RowHeight, caption, Qt::AlignLeft);
        cell(p, 6, y, RowHeight, QStringLiteral("¥") + money(amountSum), Qt::AlignRight);
        cell(p, 8, y, RowHeight, QStringLiteral("¥") + money(taxSum), Qt::AlignRight);
        y += RowHeight;
    }
}

} // namespace

QString SampleListPicture::title(Form form) {
    switch (form) {
    case Form::GoodsAndServices:
        return QStringLiteral("销售货物或者提供应税劳务清单");
    case Form::TaxableGoods:
        return QStringLiteral("增值税应税货物或劳务销货清单");
    case Form::SpecialInvoice:
        return QStringLiteral("增值税专用发票销货清单");
    }
    return {};
}

QImage SampleListPicture::picture(Form form) {
    static QHash<int, QImage> drawn;
    auto it = drawn.find(int(form));
    if (it == drawn.end())
        it = drawn.insert(int(form), draw(form));
    return *it;
}

QImage SampleListPicture::draw(Form form) {
    QImage image(1000, 720, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);

    QFont titleFont(QStringLiteral("宋体"));
    titleFont.setPixelSize(26);
    titleFont.setBold(true);
    p.setFont(titleFont);
    p.drawText(QRect(0, 40, image.width(), 40), Qt::AlignCenter, title(form));

    QFont body(QStringLiteral("宋体"));
    body.setPixelSize(14);
    p.setFont(body);
    const QString invoiceLine =
        form == Form::SpecialInvoice
            ? QStringLiteral(
                  "所属增值税专用发票代码：1100000000    号码：00012345    共 1 页  第 1 页")
            : QStringLiteral("发票代码：1100000000    发票号码：00012345");
    p.drawText(40, 110, QStringLiteral("购买方名称：示例商贸有限公司"));
    p.drawText(40, 135, QStringLiteral("销售方名称：样例办公用品有限公司"));
    p.drawText(40, 160, invoiceLine);
    drawTable(p, 180);
    p.drawText(40, 620, QStringLiteral("备注：示例数据，仅供查看格式"));
    p.drawText(40, 660, QStringLiteral("销售方（章）：样例办公用品有限公司"));
    p.drawText(640, 660, QStringLiteral("填开日期：2024年03月15日"));
    return image;
}
