#include "DesignerCanvas.h"

#include "PagePainter.h"
#include "ReportRenderer.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>

namespace {

constexpr double HandleSize = 6;
constexpr int ClickSlackPixels = 3;

bool addsToSelection(Qt::KeyboardModifiers modifiers) {
    return modifiers & (Qt::ShiftModifier | Qt::ControlModifier);
}

} // namespace

DesignerCanvas::DesignerCanvas(LayoutEditModel* model, QWidget* parent)
    : QWidget(parent), model_(model), band_(new QRubberBand(QRubberBand::Rectangle, this)) {
    setObjectName(QStringLiteral("designerCanvas"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    connect(model_, &LayoutEditModel::changed, this, [this] {
        rebuildPictures();
        updateSize();
        update();
    });
    connect(model_, &LayoutEditModel::selectionChanged, this, qOverload<>(&QWidget::update));
    rebuildPictures();
    updateSize();
}

void DesignerCanvas::setZoom(double zoom) {
    zoom_ = std::clamp(zoom, 0.25, 8.0);
    updateSize();
    update();
}

void DesignerCanvas::setGridStep(int tenths) {
    gridStep_ = std::max(1, tenths);
    update();
}

void DesignerCanvas::setSnapToGrid(bool on) {
    snap_ = on;
}

double DesignerCanvas::pixelsPerMm() const {
    return logicalDpiX() / 25.4 * zoom_;
}

QPointF DesignerCanvas::marginMm() const {
    const ReportPage& page = model_->page();
    return QPointF(page.marginLeft / 10.0, page.marginTop / 10.0);
}

QPoint DesignerCanvas::toLayout(QPointF widgetPoint) const {
    const QPointF mm = (widgetPoint - paperOrigin()) / pixelsPerMm() - marginMm();
    return QPoint(qRound(mm.x() * 10), qRound(mm.y() * 10));
}

QPointF DesignerCanvas::toWidget(QPoint layoutPoint) const {
    return paperOrigin() + (QPointF(layoutPoint) / 10.0 + marginMm()) * pixelsPerMm();
}

QRectF DesignerCanvas::widgetRect(const QRect& layoutRect) const {
    const QPointF topLeft = toWidget(layoutRect.topLeft());
    return QRectF(topLeft, QSizeF(layoutRect.width(), layoutRect.height()) / 10.0 * pixelsPerMm());
}

QSize DesignerCanvas::sizeHint() const {
    const QSizeF paper = model_->page().paperSizeMm() * pixelsPerMm();
    return QSize(qCeil(paper.width()) + 2 * Border, qCeil(paper.height()) + 2 * Border);
}

void DesignerCanvas::updateSize() {
    resize(sizeHint());
    emit viewChanged();
}

void DesignerCanvas::rebuildPictures() {
    pictures_.clear();
    ReportPage single = model_->page();
    for (const ReportObject& object : model_->page().objects) {
        ReportObject shown = object;
        shown.visible = true;
        shown.printable = true;
        single.objects = {shown};
        pictures_.append(ReportRenderer::renderPage(single));
    }
}

// Painting

void DesignerCanvas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().dark());
    const QSizeF paper = model_->page().paperSizeMm() * pixelsPerMm();
    p.fillRect(QRectF(paperOrigin(), paper), Qt::white);
    paintGrid(p);
    paintObjects(p);
    paintSelection(p);
}

void DesignerCanvas::paintGrid(QPainter& p) const {
    // A grid too fine to see at this zoom is drawn at five times its spacing.
    double step = gridStep_ / 10.0 * pixelsPerMm();
    while (step < 6)
        step *= 5;
    const QRectF paper(paperOrigin(), model_->page().paperSizeMm() * pixelsPerMm());
    const QPointF origin = toWidget(QPoint(0, 0));
    p.save();
    p.setClipRect(paper);
    p.setPen(QPen(QColor(225, 230, 240), 0));
    for (double x = origin.x() - std::floor((origin.x() - paper.left()) / step) * step;
         x <= paper.right(); x += step)
        p.drawLine(QPointF(x, paper.top()), QPointF(x, paper.bottom()));
    for (double y = origin.y() - std::floor((origin.y() - paper.top()) / step) * step;
         y <= paper.bottom(); y += step)
        p.drawLine(QPointF(paper.left(), y), QPointF(paper.right(), y));
    const ReportPage& page = model_->page();
    const QRect margins(0, 0, page.paperWidth - page.marginLeft - page.marginRight,
                        page.paperHeight - page.marginTop - page.marginBottom);
    p.setPen(QPen(QColor(150, 150, 200), 0, Qt::DashLine));
    p.drawRect(widgetRect(margins));
    p.restore();
}

void DesignerCanvas::paintObjects(QPainter& p) const {
    const QList<int>& selection = model_->selection();
    for (int i = 0; i < pictures_.size(); ++i) {
        const ReportObject& object = model_->object(i);
        QPointF offsetMm;
        if (drag_ == Drag::Move && selection.contains(i))
            offsetMm = QPointF(moveDelta_) / 10.0;
        p.save();
        p.setOpacity(object.isPrinted() ? 1.0 : 0.35);
        p.translate(paperOrigin());
        p.scale(zoom_, zoom_);
        PagePainter::paint(p, pictures_.at(i), offsetMm);
        p.restore();
        p.setPen(QPen(QColor(190, 190, 190), 0, Qt::DotLine));
        p.drawRect(
            widgetRect(LayoutEditModel::boundsOf(object)).translated(offsetMm * pixelsPerMm()));
    }
}

void DesignerCanvas::paintSelection(QPainter& p) const {
    p.setPen(QPen(QColor(0, 90, 220), 0));
    for (int i : model_->selection()) {
        QRect box = LayoutEditModel::boundsOf(model_->object(i));
        if (drag_ == Drag::Move)
            box.translate(moveDelta_);
        if (drag_ == Drag::Resize)
            box = LayoutEditModel::normalized(resizeGeometry_);
        p.drawRect(widgetRect(box));
    }
    if (drag_ != Drag::None || model_->selection().size() != 1)
        return;
    p.setBrush(Qt::white);
    for (const auto& [handle, at] : handlesOf(model_->selection().first()))
        p.drawRect(
            QRectF(at - QPointF(HandleSize / 2, HandleSize / 2), QSizeF(HandleSize, HandleSize)));
    p.setBrush(Qt::NoBrush);
}

QList<std::pair<LayoutEditModel::Handle, QPointF>> DesignerCanvas::handlesOf(int index) const {
    using H = LayoutEditModel::Handle;
    const ReportObject& object = model_->object(index);
    const QRectF r = widgetRect(LayoutEditModel::geometryOf(object));
    // A line is pulled at its two ends.
    if (object.kind == ReportObject::Kind::Line)
        return {{H::TopLeft, r.topLeft()},
                {H::BottomRight, r.topLeft() + QPointF(r.width(), r.height())}};
    const QPointF c = r.center();
    return {{H::TopLeft, r.topLeft()},         {H::Top, QPointF(c.x(), r.top())},
            {H::TopRight, r.topRight()},       {H::Right, QPointF(r.right(), c.y())},
            {H::BottomRight, r.bottomRight()}, {H::Bottom, QPointF(c.x(), r.bottom())},
            {H::BottomLeft, r.bottomLeft()},   {H::Left, QPointF(r.left(), c.y())}};
}

std::optional<LayoutEditModel::Handle> DesignerCanvas::handleAt(QPointF widgetPoint) const {
    if (model_->selection().size() != 1)
        return std::nullopt;
    for (const auto& [handle, at] : handlesOf(model_->selection().first()))
        if (std::abs(widgetPoint.x() - at.x()) <= HandleSize &&
            std::abs(widgetPoint.y() - at.y()) <= HandleSize)
            return handle;
    return std::nullopt;
}

// Mouse and keys

QPoint DesignerCanvas::snappedMove(QPoint delta) const {
    if (!snap_ || model_->selection().isEmpty())
        return delta;
    // The first selected object lands on the grid; the others keep their distance to it.
    const ReportObject& reference = model_->object(model_->selection().first());
    return QPoint(LayoutEditModel::snapped(reference.left + delta.x(), gridStep_) - reference.left,
                  LayoutEditModel::snapped(reference.top + delta.y(), gridStep_) - reference.top);
}

void DesignerCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    setFocus();
    pressWidget_ = event->position();
    pressLayout_ = toLayout(event->position());
    moveDelta_ = {};
    if (const auto handle = handleAt(event->position())) {
        drag_ = Drag::Resize;
        handle_ = *handle;
        resizeGeometry_ = LayoutEditModel::geometryOf(model_->object(model_->selection().first()));
        return;
    }
    const int slack = qRound(ClickSlackPixels / pixelsPerMm() * 10);
    const int hit = model_->objectAt(pressLayout_, slack);
    if (hit < 0) {
        if (!addsToSelection(event->modifiers()))
            model_->clearSelection();
        drag_ = Drag::Band;
        band_->setGeometry(QRect(event->position().toPoint(), QSize()));
        band_->show();
        return;
    }
    if (addsToSelection(event->modifiers())) {
        model_->toggleSelected(hit);
        drag_ = Drag::None;
        return;
    }
    if (!model_->selection().contains(hit))
        model_->selectOnly(hit);
    drag_ = Drag::Move;
}

void DesignerCanvas::mouseMoveEvent(QMouseEvent* event) {
    const QPoint delta = toLayout(event->position()) - pressLayout_;
    switch (drag_) {
    case Drag::None:
        return;
    case Drag::Move:
        moveDelta_ = snappedMove(delta);
        break;
    case Drag::Resize: {
        const ReportObject& object = model_->object(model_->selection().first());
        QRect geometry = LayoutEditModel::resized(LayoutEditModel::geometryOf(object), handle_,
                                                  delta, object.kind == ReportObject::Kind::Line);
        if (snap_) {
            const int left = LayoutEditModel::snapped(geometry.x(), gridStep_);
            const int top = LayoutEditModel::snapped(geometry.y(), gridStep_);
            const int right = LayoutEditModel::snapped(geometry.x() + geometry.width(), gridStep_);
            const int bottom =
                LayoutEditModel::snapped(geometry.y() + geometry.height(), gridStep_);
            geometry = QRect(left, top, right - left, bottom - top);
        }
        resizeGeometry_ = geometry;
        break;
    }
    case Drag::Band:
        band_->setGeometry(QRectF(pressWidget_, event->position()).normalized().toRect());
        break;
    }
    update();
}

void DesignerCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const Drag finished = drag_;
    drag_ = Drag::None;
    switch (finished) {
    case Drag::None:
        break;
    case Drag::Move:
        if (!moveDelta_.isNull())
            model_->moveSelection(moveDelta_.x(), moveDelta_.y());
        break;
    case Drag::Resize:
        model_->setGeometry(model_->selection().first(), resizeGeometry_);
        break;
    case Drag::Band: {
        band_->hide();
        const QPoint end = toLayout(event->position());
        model_->selectTouching(
            QRect(pressLayout_, QSize(end.x() - pressLayout_.x(), end.y() - pressLayout_.y())),
            addsToSelection(event->modifiers()));
        break;
    }
    }
    moveDelta_ = {};
    update();
}

void DesignerCanvas::keyPressEvent(QKeyEvent* event) {
    const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    switch (event->key()) {
    case Qt::Key_Left:
        model_->moveSelection(-step, 0);
        break;
    case Qt::Key_Right:
        model_->moveSelection(step, 0);
        break;
    case Qt::Key_Up:
        model_->moveSelection(0, -step);
        break;
    case Qt::Key_Down:
        model_->moveSelection(0, step);
        break;
    case Qt::Key_Delete:
        model_->deleteSelection();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}
