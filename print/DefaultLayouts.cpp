#include "DefaultLayouts.h"

#include "InvoiceFieldMap.h"
#include "PrintStaging.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>

namespace {

using HAlign = ReportObject::HAlign;

// Millimetres (with at most one decimal) to the tenths the model keeps.
int mm(double value) {
    return qRound(value * 10);
}

ReportObject field(const QString& name, double left, double top, double width, double height,
                   HAlign align = HAlign::Left) {
    ReportObject o;
    o.name = name;
    o.left = mm(left);
    o.top = mm(top);
    o.width = mm(width);
    o.height = mm(height);
    o.hAlign = align;
    return o;
}

ReportObject label(const QString& name, const QString& text, double left, double top, double width,
                   double height, HAlign align = HAlign::Left) {
    ReportObject o = field(name, left, top, width, height, align);
    o.lines = {text};
    return o;
}

ReportObject picture(const QString& name, double left, double top, double width, double height,
                     const QByteArray& png) {
    ReportObject o = field(name, left, top, width, height);
    o.kind = ReportObject::Kind::Picture;
    o.imageData = png;
    return o;
}

ReportObject rule(const QString& name, double left, double top, double width, double height) {
    ReportObject o = field(name, left, top, width, height);
    o.kind = ReportObject::Kind::Line;
    o.penWidthPt = 0.75;
    return o;
}

ReportObject box(const QString& name, double left, double top, double width, double height) {
    ReportObject o = rule(name, left, top, width, height);
    o.kind = ReportObject::Kind::Rectangle;
    return o;
}

QByteArray pngOf(const QImage& image) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

// Pictures are drawn at 8 pixels per millimetre in object coordinates.
constexpr double PxPerMm = 8;

QImage blankImage(double widthMm, double heightMm) {
    QImage image(qRound(widthMm * PxPerMm), qRound(heightMm * PxPerMm), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

QRectF pxRect(double left, double top, double right, double bottom) {
    return QRectF(left * PxPerMm, top * PxPerMm, (right - left) * PxPerMm,
                  (bottom - top) * PxPerMm);
}

// A neutral outline of an invoice's boxes behind the overlay fields: no text, no emblem.
QByteArray overlayOutline(double widthMm, double heightMm) {
    QImage image = blankImage(widthMm, heightMm);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(150, 110, 80), 0.3 * PxPerMm));
    p.drawRect(pxRect(14, 31, 218, 131));
    for (double y : {54.5, 92.0, 98.5, 104.5})
        p.drawLine(QPointF(14 * PxPerMm, y * PxPerMm), QPointF(218 * PxPerMm, y * PxPerMm));
    for (double x : {47.0, 134.0})
        p.drawLine(QPointF(x * PxPerMm, 31 * PxPerMm), QPointF(x * PxPerMm, 54.5 * PxPerMm));
    for (double x : {47.0, 134.0})
        p.drawLine(QPointF(x * PxPerMm, 104.5 * PxPerMm), QPointF(x * PxPerMm, 131 * PxPerMm));
    for (double x : {67.5, 94.0, 106.0, 124.0, 148.0, 177.0, 189.0})
        p.drawLine(QPointF(x * PxPerMm, 54.5 * PxPerMm), QPointF(x * PxPerMm, 92 * PxPerMm));
    p.drawLine(QPointF(14 * PxPerMm, 59 * PxPerMm), QPointF(218 * PxPerMm, 59 * PxPerMm));
    return pngOf(image);
}

QByteArray pageOutline(double widthMm, double heightMm) {
    QImage image = blankImage(widthMm, heightMm);
    QPainter p(&image);
    p.setPen(QPen(QColor(150, 110, 80), 0.3 * PxPerMm));
    p.drawRect(pxRect(1, 1, widthMm - 1, heightMm - 1));
    return pngOf(image);
}

// The circled cross that stands before the amount in capitals.
QByteArray circledCross() {
    QImage image = blankImage(5, 5);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 0.3 * PxPerMm));
    const QRectF r = pxRect(0.8, 0.8, 4.2, 4.2);
    p.drawEllipse(r);
    const double d = r.width() / 2 * 0.7071;
    p.drawLine(r.center() + QPointF(-d, -d), r.center() + QPointF(d, d));
    p.drawLine(r.center() + QPointF(-d, d), r.center() + QPointF(d, -d));
    return pngOf(image);
}

// The yuan sign before an amount in figures, drawn from strokes so no font is needed.
QByteArray yuanSign() {
    QImage image = blankImage(4, 6);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 0.35 * PxPerMm));
    const auto at = [](double x, double y) { return QPointF(x * PxPerMm, y * PxPerMm); };
    p.drawLine(at(0.9, 1.6), at(2, 3.3));
    p.drawLine(at(3.1, 1.6), at(2, 3.3));
    p.drawLine(at(2, 3.3), at(2, 5.2));
    p.drawLine(at(1, 3.6), at(3, 3.6));
    p.drawLine(at(1, 4.4), at(3, 4.4));
    return pngOf(image);
}

void addLineRowFields(QList<ReportObject>& objects, int row, double top, double height,
                      const QList<std::tuple<const char*, double, double, HAlign>>& columns) {
    for (const auto& [prefix, left, width, align] : columns)
        objects << field(QString::fromLatin1(prefix) + QString::number(row), left, top, width,
                         height, align);
}

} // namespace

ReportLayout DefaultLayouts::overlay() {
    ReportPage page;
    page.name = QStringLiteral("发票");
    page.paperWidth = mm(240);
    page.paperHeight = mm(140);
    page.marginLeft = mm(-12);
    page.marginTop = page.marginRight = page.marginBottom = 0;
    QList<ReportObject>& o = page.objects;

    ReportObject ptc = picture(QStringLiteral("ptc"), 0, 0, 252, 140, overlayOutline(252, 140));
    ptc.visible = false;
    o << ptc;
    o << field(QStringLiteral("fpno"), 165, 13, 31, 5) << field(QStringLiteral("m8"), 40, 17, 42, 5)
      << field(QStringLiteral("m6"), 199, 16.8, 28, 4)
      << field(QStringLiteral("m7"), 199, 20.8, 28, 4)
      << field(QStringLiteral("kprq"), 183, 25, 34, 5)
      << field(QStringLiteral("jym"), 16, 27, 72, 5);
    for (int i = 0; i < 4; ++i) {
        ReportObject cipher = field(QStringLiteral("m%1").arg(i + 1), 138.5, 32.7 + 5 * i, 77, 5);
        cipher.fontFamily = QStringLiteral("Courier New");
        cipher.fontSizePt = 12;
        o << cipher;
    }
    ReportObject m5 = field(QStringLiteral("m5"), 221, 127, 10, 1);
    m5.visible = false;
    m5.printable = false;
    o << m5;
    const QStringList buyer = {QStringLiteral("gmc"), QStringLiteral("gnsno"),
                               QStringLiteral("gdzdh"), QStringLiteral("gyhzh")};
    for (int i = 0; i < 4; ++i)
        o << field(buyer[i], 49, 34 + 5 * i, 82, 5);
    const double rowTops[PrintStaging::LineCount] = {59.5, 63.5, 67.5, 71.5,
                                                     75.4, 79.4, 83.4, 87.3};
    for (int r = 1; r <= PrintStaging::LineCount; ++r)
        addLineRowFields(o, r, rowTops[r - 1], 4,
                         {{"H", 17, 49, HAlign::Left},
                          {"G", 69.5, 23, HAlign::Left},
                          {"DW", 95, 10, HAlign::Center},
                          {"SL", 107, 17, HAlign::Right},
                          {"DJ", 124.9, 22, HAlign::Right},
                          {"JE", 149, 27, HAlign::Right},
                          {"S", 178.7, 8, HAlign::Center},
                          {"SE", 190, 26, HAlign::Right}});
    o << field(QStringLiteral("JEHJ"), 155, 93.3, 21, 4)
      << field(QStringLiteral("SEHJ"), 195, 93.3, 21, 4)
      << field(QStringLiteral("DXJE"), 77, 99.3, 83, 6);
    ReportObject xxje = field(QStringLiteral("XXJE"), 180, 99.7, 34, 5);
    xxje.displayFormat = QStringLiteral("%2.2n");
    o << xxje;
    const QStringList seller = {QStringLiteral("Xmc"), QStringLiteral("Xnsno"),
                                QStringLiteral("Xdzdh"), QStringLiteral("Xyhzh")};
    for (int i = 0; i < 4; ++i)
        o << field(seller[i], 49, 105.5 + 5 * i, 82, 5);
    for (int i = 0; i < 4; ++i)
        o << field(QStringLiteral("BZ%1").arg(i + 1), 139, 105 + 5 * i, 79, 5);
    o << field(QStringLiteral("SKR"), 36, 126, 29, 5) << field(QStringLiteral("FH"), 89, 126, 29, 5)
      << field(QStringLiteral("KPR"), 135, 126, 29, 5);
    o << picture(QStringLiteral("DXJEMark"), 72.5, 99.5, 5, 5, circledCross())
      << picture(QStringLiteral("JEHJMark"), 151.1, 92.5, 4, 6, yuanSign())
      << picture(QStringLiteral("SEHJMark"), 190, 93, 4, 6, yuanSign())
      << picture(QStringLiteral("XXJEMark"), 176, 99.5, 4, 6, yuanSign());
    ReportLayout layout;
    layout.pages = {page};
    return layout;
}

ReportLayout DefaultLayouts::a4() {
    ReportPage page;
    page.name = QStringLiteral("发票");
    page.marginLeft = page.marginTop = page.marginRight = page.marginBottom = mm(10);
    QList<ReportObject>& o = page.objects;
    ReportObject ptc = picture(QStringLiteral("ptc"), 0, 0, 190, 277, pageOutline(190, 277));
    ptc.visible = false;
    o << ptc;

    ReportObject title = label(QStringLiteral("Title"), QStringLiteral("增 值 税 发 票"), 45, 4,
                               100, 9, HAlign::Center);
    title.fontSizePt = 16;
    title.bold = true;
    o << title;
    o << field(QStringLiteral("m6"), 150, 2, 40, 4) << field(QStringLiteral("m7"), 150, 6, 40, 4);
    o << label(QStringLiteral("LabelNo"), QStringLiteral("发票号码："), 130, 14, 20, 5)
      << field(QStringLiteral("fpno"), 150, 14, 40, 5)
      << label(QStringLiteral("LabelDate"), QStringLiteral("开票日期："), 130, 20, 20, 5)
      << field(QStringLiteral("kprq"), 150, 20, 40, 5)
      << label(QStringLiteral("LabelCode"), QStringLiteral("机器编号："), 0, 14, 20, 5)
      << field(QStringLiteral("m8"), 20, 14, 90, 5)
      << label(QStringLiteral("LabelCheck"), QStringLiteral("校 验 码："), 0, 20, 20, 5)
      << field(QStringLiteral("jym"), 20, 20, 90, 5);

    // Buyer and cipher area.
    o << box(QStringLiteral("BuyerBox"), 0, 28, 190, 28)
      << rule(QStringLiteral("BuyerRule"), 112, 28, 0, 28);
    const QStringList buyerLabels = {
        QStringLiteral("购买方名称："), QStringLiteral("纳税人识别号："),
        QStringLiteral("地址、电话："), QStringLiteral("开户行及账号：")};
    const QStringList buyer = {QStringLiteral("gmc"), QStringLiteral("gnsno"),
                               QStringLiteral("gdzdh"), QStringLiteral("gyhzh")};
    for (int i = 0; i < 4; ++i)
        o << label(QStringLiteral("LabelBuyer%1").arg(i + 1), buyerLabels[i], 2, 30 + 6 * i, 26, 6)
          << field(buyer[i], 28, 30 + 6 * i, 83, 6);
    for (int i = 0; i < 4; ++i) {
        ReportObject cipher = field(QStringLiteral("m%1").arg(i + 1), 114, 30 + 6 * i, 75, 6);
        cipher.fontFamily = QStringLiteral("Courier New");
        cipher.fontSizePt = 10;
        o << cipher;
    }
    ReportObject m5 = field(QStringLiteral("m5"), 180, 270, 10, 1);
    m5.visible = false;
    m5.printable = false;
    o << m5;

    // Goods table: header row, eight lines, total row.
    const QList<std::tuple<const char*, double, double, HAlign>> columns = {
        {"H", 0, 50, HAlign::Left},     {"G", 50, 24, HAlign::Left},
        {"DW", 74, 12, HAlign::Center}, {"SL", 86, 18, HAlign::Right},
        {"DJ", 104, 22, HAlign::Right}, {"JE", 126, 26, HAlign::Right},
        {"S", 152, 12, HAlign::Center}, {"SE", 164, 26, HAlign::Right}};
    const QStringList headings = {QStringLiteral("货物或应税劳务名称"),
                                  QStringLiteral("规格型号"),
                                  QStringLiteral("单位"),
                                  QStringLiteral("数量"),
                                  QStringLiteral("单价"),
                                  QStringLiteral("金额"),
                                  QStringLiteral("税率"),
                                  QStringLiteral("税额")};
    o << box(QStringLiteral("GoodsBox"), 0, 58, 190, 60)
      << rule(QStringLiteral("GoodsHeadRule"), 0, 64, 190, 0)
      << rule(QStringLiteral("GoodsTotalRule"), 0, 112, 190, 0);
    for (int c = 0; c < columns.size(); ++c) {
        const auto& [prefix, left, width, align] = columns[c];
        o << label(QStringLiteral("Heading%1").arg(c + 1), headings[c], left, 58, width, 6,
                   HAlign::Center);
        if (c > 0)
            o << rule(QStringLiteral("ColumnRule%1").arg(c), left, 58, 0, 54);
    }
    for (int r = 1; r <= PrintStaging::LineCount; ++r) {
        QList<std::tuple<const char*, double, double, HAlign>> inset;
        for (const auto& [prefix, left, width, align] : columns)
            inset.append({prefix, left + 1, width - 2, align});
        addLineRowFields(o, r, 64 + 6 * (r - 1), 6, inset);
    }
    o << label(QStringLiteral("LabelTotal"), QStringLiteral("合    计"), 0, 112, 50, 6,
               HAlign::Center)
      << field(QStringLiteral("JEHJ"), 127, 112, 24, 6, HAlign::Right)
      << field(QStringLiteral("SEHJ"), 165, 112, 24, 6, HAlign::Right);

    // Total in capitals and in figures.
    o << box(QStringLiteral("SumBox"), 0, 118, 190, 8)
      << label(QStringLiteral("LabelCapitals"), QStringLiteral("价税合计（大写）"), 2, 119, 30, 6)
      << field(QStringLiteral("DXJE"), 32, 119, 92, 6)
      << label(QStringLiteral("LabelFigures"), QStringLiteral("（小写）¥"), 126, 119, 18, 6);
    ReportObject xxje = field(QStringLiteral("XXJE"), 144, 119, 45, 6);
    xxje.displayFormat = QStringLiteral("%2.2n");
    o << xxje;

    // Seller and remarks.
    o << box(QStringLiteral("SellerBox"), 0, 126, 190, 28)
      << rule(QStringLiteral("SellerRule"), 112, 126, 0, 28)
      << label(QStringLiteral("LabelRemarks"), QStringLiteral("备注"), 113, 127, 9, 6);
    const QStringList sellerLabels = {
        QStringLiteral("销售方名称："), QStringLiteral("纳税人识别号："),
        QStringLiteral("地址、电话："), QStringLiteral("开户行及账号：")};
    const QStringList seller = {QStringLiteral("Xmc"), QStringLiteral("Xnsno"),
                                QStringLiteral("Xdzdh"), QStringLiteral("Xyhzh")};
    for (int i = 0; i < 4; ++i)
        o << label(QStringLiteral("LabelSeller%1").arg(i + 1), sellerLabels[i], 2, 128 + 6 * i, 26,
                   6)
          << field(seller[i], 28, 128 + 6 * i, 83, 6)
          << field(QStringLiteral("BZ%1").arg(i + 1), 122, 128 + 6 * i, 67, 6);

    o << label(QStringLiteral("LabelPayee"), QStringLiteral("收款人："), 0, 157, 15, 6)
      << field(QStringLiteral("SKR"), 15, 157, 35, 6)
      << label(QStringLiteral("LabelReviewer"), QStringLiteral("复核："), 62, 157, 12, 6)
      << field(QStringLiteral("FH"), 74, 157, 35, 6)
      << label(QStringLiteral("LabelDrawer"), QStringLiteral("开票人："), 122, 157, 15, 6)
      << field(QStringLiteral("KPR"), 137, 157, 35, 6);
    ReportLayout layout;
    layout.pages = {page};
    return layout;
}

ReportLayout DefaultLayouts::make(PrintLayout::Id id) {
    return PrintLayout::isOverlay(id) ? overlay() : a4();
}

QStringList DefaultLayouts::ensure(const QString& folder) {
    QStringList written;
    for (PrintLayout::Id id : PrintLayout::all()) {
        const QString path = PrintLayout::path(id, folder);
        if (QFileInfo::exists(path))
            continue;
        ReportLayout layout = make(id);
        layout.SaveToFile(path);
        written << path;
    }
    return written;
}
