#pragma once

#include "LayoutEditModel.h"
#include "RenderedPage.h"

#include <QWidget>
#include <optional>

class QRubberBand;

// The designer's page: every object drawn as it prints (hidden and non-printing ones faded),
// a millimetre grid, the margin, and the selection with its handles. Mouse and keys turn into
// edits of the model: click, Shift/Ctrl-click and rubber band select; dragging moves or (by a
// handle) resizes, snapped to the grid; arrow keys move by 0.1 mm (1 mm with Shift); Delete
// deletes.
class DesignerCanvas : public QWidget {
    Q_OBJECT
public:
    static constexpr int Border = 16; // pixels around the paper

    explicit DesignerCanvas(LayoutEditModel* model, QWidget* parent = nullptr);

    double zoom() const { return zoom_; }
    void setZoom(double zoom);
    // Grid spacing in tenths of a millimetre; snapping moves and resizes to it when on.
    int gridStep() const { return gridStep_; }
    void setGridStep(int tenths);
    bool snapsToGrid() const { return snap_; }
    void setSnapToGrid(bool on);

    double pixelsPerMm() const;
    // Widget pixels of the paper's top-left corner.
    QPointF paperOrigin() const { return QPointF(Border, Border); }
    // Object coordinates (tenths from the margin corner) of a widget point, and back.
    QPoint toLayout(QPointF widgetPoint) const;
    QPointF toWidget(QPoint layoutPoint) const;

    QSize sizeHint() const override;

signals:
    void viewChanged(); // zoom or size changed: rulers follow

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class Drag { None, Move, Resize, Band };

    void rebuildPictures();
    void updateSize();
    void paintGrid(QPainter& p) const;
    void paintObjects(QPainter& p) const;
    void paintSelection(QPainter& p) const;
    QRectF widgetRect(const QRect& layoutRect) const;
    QList<std::pair<LayoutEditModel::Handle, QPointF>> handlesOf(int index) const;
    std::optional<LayoutEditModel::Handle> handleAt(QPointF widgetPoint) const;
    QPoint snappedMove(QPoint delta) const;
    QPointF marginMm() const;

    LayoutEditModel* model_;
    QList<RenderedPage> pictures_; // one per object, drawn at full visibility
    double zoom_ = 1.0;
    int gridStep_ = 10;
    bool snap_ = true;

    Drag drag_ = Drag::None;
    QPoint pressLayout_;
    QPointF pressWidget_;
    QPoint moveDelta_;
    LayoutEditModel::Handle handle_ = LayoutEditModel::Handle::BottomRight;
    QRect resizeGeometry_;
    QRubberBand* band_ = nullptr;
};
