#include "CalibrationPage.h"

namespace {

constexpr double LabelWidthMm = 8;
constexpr double LabelHeightMm = 3;

RenderedLine gridLine(QPointF from, QPointF to, int mm) {
    RenderedLine line{from, to};
    if (mm % 10 == 0) {
        line.widthPt = 0.5;
        line.color = Qt::black;
    } else if (mm % 5 == 0) {
        line.widthPt = 0.3;
        line.color = QColor(110, 110, 110);
    } else {
        line.widthPt = 0.1;
        line.color = QColor(170, 170, 170);
    }
    return line;
}

RenderedText label(QRectF rectMm, int mm, int alignment) {
    RenderedText text;
    text.rectMm = rectMm;
    text.text = QString::number(mm);
    text.fontFamily = QStringLiteral("宋体");
    text.fontSizePt = 6;
    text.alignment = alignment;
    return text;
}

} // namespace

RenderedPage CalibrationPage::make(QSizeF paperMm) {
    RenderedPage page;
    page.paperMm = paperMm;
    page.landscape = paperMm.width() > paperMm.height();
    const int width = int(paperMm.width());
    const int height = int(paperMm.height());
    for (int x = 0; x <= width; ++x)
        page.items << gridLine(QPointF(x, 0), QPointF(x, paperMm.height()), x);
    for (int y = 0; y <= height; ++y)
        page.items << gridLine(QPointF(0, y), QPointF(paperMm.width(), y), y);

    // Labels of the vertical lines run along rows every 50 mm, just below the row's line and
    // right of their own; those of the horizontal lines along columns every 50 mm, just above
    // their line, so no two labels meet where a row and a column cross.
    for (int row = 0; row <= height - 10; row += 50)
        for (int x = 10; x < width; x += 10)
            page.items << label(QRectF(x + 0.5, row + 0.5, LabelWidthMm, LabelHeightMm), x,
                                Qt::AlignLeft | Qt::AlignTop);
    for (int column = 0; column <= width - 10; column += 50)
        for (int y = 10; y < height; y += 10)
            page.items << label(
                QRectF(column + 0.5, y - LabelHeightMm - 0.3, LabelWidthMm, LabelHeightMm), y,
                Qt::AlignLeft | Qt::AlignBottom);

    RenderedText title;
    title.rectMm = QRectF(12, 12, 120, 6);
    title.text = QStringLiteral("打印校准页：小格 1 毫米，黑线每 10 毫米，数字为距纸边的毫米数");
    title.fontFamily = QStringLiteral("宋体");
    title.fontSizePt = 9;
    title.alignment = Qt::AlignLeft | Qt::AlignVCenter;
    page.items << title;
    return page;
}
