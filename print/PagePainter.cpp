#include "PagePainter.h"

#include <QPaintDevice>
#include <QPainter>

namespace {

constexpr double MmPerInch = 25.4;
constexpr double PtPerInch = 72.0;

// Millimetres to device pixels for one device.
class DeviceScale {
public:
    DeviceScale(const QPaintDevice& device, QPointF offsetMm)
        : x_(device.logicalDpiX() / MmPerInch), y_(device.logicalDpiY() / MmPerInch),
          offset_(offsetMm) {}

    QPointF point(QPointF mm) const {
        return QPointF((mm.x() + offset_.x()) * x_, (mm.y() + offset_.y()) * y_);
    }
    QRectF rect(const QRectF& mm) const {
        return QRectF(point(mm.topLeft()), QSizeF(mm.width() * x_, mm.height() * y_));
    }
    double penWidth(double pt) const { return pt * MmPerInch / PtPerInch * x_; }

private:
    double x_;
    double y_;
    QPointF offset_;
};

QPen penOf(const DeviceScale& scale, double widthPt, const QColor& color) {
    if (!color.isValid())
        return Qt::NoPen;
    QPen pen(color, scale.penWidth(widthPt));
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

void drawFrame(QPainter& p, const QRectF& r, int sides, const QPen& pen) {
    p.setPen(pen);
    if (sides & 1)
        p.drawLine(r.topLeft(), r.bottomLeft());
    if (sides & 2)
        p.drawLine(r.topLeft(), r.topRight());
    if (sides & 4)
        p.drawLine(r.topRight(), r.bottomRight());
    if (sides & 8)
        p.drawLine(r.bottomLeft(), r.bottomRight());
}

void draw(QPainter& p, const DeviceScale& scale, const RenderedText& t) {
    const QRectF r = scale.rect(t.rectMm);
    if (t.frameSides)
        drawFrame(p, r, t.frameSides, penOf(scale, t.penWidthPt, t.penColor));
    if (t.text.isEmpty())
        return;
    QFont font(t.fontFamily);
    font.setPointSizeF(t.fontSizePt);
    font.setBold(t.bold);
    font.setItalic(t.italic);
    font.setUnderline(t.underline);
    p.setFont(font);
    p.setPen(t.color);
    p.drawText(r, t.alignment | (t.wordWrap ? Qt::TextWordWrap : 0), t.text);
}

void draw(QPainter& p, const DeviceScale& scale, const RenderedImage& i) {
    QRectF target = scale.rect(i.rectMm);
    if (i.keepAspect) {
        const QSizeF fitted = QSizeF(i.image.size()).scaled(target.size(), Qt::KeepAspectRatio);
        target = QRectF(target.center() - QPointF(fitted.width() / 2, fitted.height() / 2), fitted);
    }
    p.drawImage(target, i.image);
}

void draw(QPainter& p, const DeviceScale& scale, const RenderedLine& l) {
    p.setPen(penOf(scale, l.widthPt, l.color));
    p.drawLine(scale.point(l.fromMm), scale.point(l.toMm));
}

void draw(QPainter& p, const DeviceScale& scale, const RenderedRectangle& r) {
    p.setPen(penOf(scale, r.penWidthPt, r.penColor));
    p.setBrush(r.fillColor.isValid() ? QBrush(r.fillColor) : QBrush(Qt::NoBrush));
    p.drawRect(scale.rect(r.rectMm));
    p.setBrush(Qt::NoBrush);
}

} // namespace

void PagePainter::paint(QPainter& painter, const RenderedPage& page, QPointF offsetMm) {
    const DeviceScale scale(*painter.device(), offsetMm);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const RenderedItem& item : page.items)
        std::visit([&](const auto& primitive) { draw(painter, scale, primitive); }, item);
    painter.restore();
}

QPageLayout PagePainter::pageLayout(const RenderedPage& page) {
    const QSizeF paper = page.paperMm;
    const bool landscape = page.landscape || paper.width() > paper.height();
    const QSizeF portrait = landscape ? paper.transposed() : paper;
    const QPageSize size(portrait, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}
