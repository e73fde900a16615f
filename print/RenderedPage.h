#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <variant>

// A laid-out page as device-independent drawing primitives, in millimetres from the paper's
// top-left corner (margins already applied). ReportRenderer makes these once; PagePainter draws
// them on any device, so preview, printer, PDF and pictures match.

struct RenderedText {
    QRectF rectMm;
    QString text; // lines joined with '\n', display format applied
    QString fontFamily;
    double fontSizePt = 9.75;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QColor color = Qt::black;
    int alignment = 0; // Qt::Alignment flags
    bool wordWrap = false;
    int frameSides = 0; // ReportObject::FrameSide flags
    double penWidthPt = 1.0;
    QColor penColor = Qt::black;
};

struct RenderedImage {
    QRectF rectMm;
    QImage image;
    bool keepAspect = false; // centred in the box when true, stretched otherwise
};

struct RenderedLine {
    QPointF fromMm;
    QPointF toMm;
    double widthPt = 1.0;
    QColor color = Qt::black;
};

struct RenderedRectangle {
    QRectF rectMm;
    double penWidthPt = 1.0;
    QColor penColor = Qt::black; // invalid: no outline
    QColor fillColor;            // invalid: no fill
};

using RenderedItem = std::variant<RenderedText, RenderedImage, RenderedLine, RenderedRectangle>;

struct RenderedPage {
    QSizeF paperMm;
    bool landscape = false; // how the printer feeds the sheet
    QList<RenderedItem> items;
};
