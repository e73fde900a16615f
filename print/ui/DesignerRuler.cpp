#include "DesignerRuler.h"

#include <QPainter>
#include <cmath>

DesignerRuler::DesignerRuler(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), orientation_(orientation) {
    setAutoFillBackground(true);
    if (orientation_ == Qt::Horizontal)
        setFixedHeight(Thickness);
    else
        setFixedWidth(Thickness);
}

void DesignerRuler::setScale(double pixelsPerMm) {
    pixelsPerMm_ = pixelsPerMm;
    update();
}

void DesignerRuler::setOrigin(double originPixels) {
    origin_ = originPixels;
    update();
}

QSize DesignerRuler::sizeHint() const {
    return QSize(Thickness, Thickness);
}

void DesignerRuler::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    p.setPen(palette().text().color());
    QFont font = p.font();
    font.setPixelSize(9);
    p.setFont(font);
    const bool horizontal = orientation_ == Qt::Horizontal;
    const int length = horizontal ? width() : height();
    const bool everyMm = pixelsPerMm_ >= 3;
    const int first = int(std::floor(-origin_ / pixelsPerMm_));
    const int last = int(std::ceil((length - origin_) / pixelsPerMm_));
    for (int mm = first; mm <= last; ++mm) {
        if (!everyMm && mm % 5 != 0)
            continue;
        const double at = origin_ + mm * pixelsPerMm_;
        const int tick = mm % 10 == 0 ? Thickness : (mm % 5 == 0 ? Thickness / 2 : Thickness / 4);
        if (horizontal)
            p.drawLine(QPointF(at, Thickness - tick), QPointF(at, Thickness));
        else
            p.drawLine(QPointF(Thickness - tick, at), QPointF(Thickness, at));
        if (mm % 10 != 0)
            continue;
        const QString label = QString::number(mm);
        if (horizontal) {
            p.drawText(QPointF(at + 2, 10), label);
        } else {
            p.save();
            p.translate(10, at + 2);
            p.rotate(90);
            p.drawText(QPointF(0, 0), label);
            p.restore();
        }
    }
}
