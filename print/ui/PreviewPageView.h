#pragma once

#include "RenderedPage.h"

#include <QWidget>

// One rendered page drawn at a zoom factor (1.0 = real size on screen), on a grey surround.
class PreviewPageView : public QWidget {
    Q_OBJECT
public:
    static constexpr int Border = 12; // pixels around the paper

    explicit PreviewPageView(QWidget* parent = nullptr);

    void setPage(const RenderedPage& page);
    void setZoom(double zoom);
    double zoom() const { return zoom_; }

    // Pixels of the paper at zoom 1.0 on this screen.
    QSizeF paperPixels() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    RenderedPage page_;
    double zoom_ = 1.0;
};
