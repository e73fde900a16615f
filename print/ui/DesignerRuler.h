#pragma once

#include <QWidget>

// A millimetre ruler beside the designer's page: a tick every millimetre (when there is room),
// longer ones every 5 mm, and the distance written every 10 mm. `origin` is where the paper's
// edge falls in the ruler's pixels; it follows the page as it scrolls.
class DesignerRuler : public QWidget {
    Q_OBJECT
public:
    static constexpr int Thickness = 22;

    DesignerRuler(Qt::Orientation orientation, QWidget* parent = nullptr);

    void setScale(double pixelsPerMm);
    void setOrigin(double originPixels);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Orientation orientation_;
    double pixelsPerMm_ = 4;
    double origin_ = 0;
};
