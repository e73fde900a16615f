#include "PreviewPageView.h"

#include "PagePainter.h"

#include <QPainter>

PreviewPageView::PreviewPageView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("previewPage"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Dark);
}

void PreviewPageView::setPage(const RenderedPage& page) {
    page_ = page;
    resize(sizeHint());
    update();
}

void PreviewPageView::setZoom(double zoom) {
    zoom_ = zoom;
    resize(sizeHint());
    update();
}

QSizeF PreviewPageView::paperPixels() const {
    return QSizeF(page_.paperMm.width() * logicalDpiX() / 25.4,
                  page_.paperMm.height() * logicalDpiY() / 25.4);
}

QSize PreviewPageView::sizeHint() const {
    const QSizeF paper = paperPixels() * zoom_;
    return QSize(qCeil(paper.width()) + 2 * Border, qCeil(paper.height()) + 2 * Border);
}

void PreviewPageView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QSizeF paper = paperPixels() * zoom_;
    painter.fillRect(QRectF(QPointF(Border + 3, Border + 3), paper), QColor(0, 0, 0, 90));
    painter.fillRect(QRectF(QPointF(Border, Border), paper), Qt::white);
    painter.translate(Border, Border);
    painter.scale(zoom_, zoom_);
    painter.setClipRect(QRectF(QPointF(0, 0), paperPixels()));
    PagePainter::paint(painter, page_);
}
