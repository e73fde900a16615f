#include "ReportRenderer.h"

#include "DisplayFormat.h"

namespace {

QRectF boxMm(const ReportObject& o, QPointF origin) {
    return QRectF(origin.x() + o.left / 10.0, origin.y() + o.top / 10.0, o.width / 10.0,
                  o.height / 10.0);
}

int alignmentOf(const ReportObject& o) {
    int flags = 0;
    switch (o.hAlign) {
    case ReportObject::HAlign::Left:
        flags |= Qt::AlignLeft;
        break;
    case ReportObject::HAlign::Center:
        flags |= Qt::AlignHCenter;
        break;
    case ReportObject::HAlign::Right:
        flags |= Qt::AlignRight;
        break;
    case ReportObject::HAlign::Justify:
        flags |= Qt::AlignJustify;
        break;
    }
    switch (o.vAlign) {
    case ReportObject::VAlign::Top:
        flags |= Qt::AlignTop;
        break;
    case ReportObject::VAlign::Center:
        flags |= Qt::AlignVCenter;
        break;
    case ReportObject::VAlign::Bottom:
        flags |= Qt::AlignBottom;
        break;
    }
    return flags;
}

RenderedText textItem(const ReportObject& o, QPointF origin) {
    RenderedText t;
    t.rectMm = boxMm(o, origin);
    t.text = DisplayFormat::apply(o.displayFormat, o.text());
    t.fontFamily = o.fontFamily;
    t.fontSizePt = o.fontSizePt;
    t.bold = o.bold;
    t.italic = o.italic;
    t.underline = o.underline;
    t.color = o.textColor;
    t.alignment = alignmentOf(o);
    t.wordWrap = o.wordWrap;
    t.frameSides = o.frameSides;
    t.penWidthPt = o.penWidthPt;
    t.penColor = o.penColor;
    return t;
}

} // namespace

QList<RenderedPage> ReportRenderer::render(const ReportLayout& layout, Target target) {
    QList<RenderedPage> pages;
    pages.reserve(layout.pages.size());
    for (const ReportPage& page : layout.pages)
        pages.append(renderPage(page, target));
    return pages;
}

RenderedPage ReportRenderer::renderPage(const ReportPage& page, Target target) {
    RenderedPage out;
    out.paperMm = page.paperSizeMm();
    out.landscape = page.orientation == ReportPage::Orientation::Landscape;
    const QPointF origin(page.marginLeft / 10.0, page.marginTop / 10.0);
    for (const ReportObject& o : page.objects) {
        if (!o.visible || (target == Target::Paper && !o.printable))
            continue;
        switch (o.kind) {
        case ReportObject::Kind::Text:
            if (!o.lines.isEmpty() || o.frameSides != ReportObject::NoFrame)
                out.items.append(textItem(o, origin));
            break;
        case ReportObject::Kind::Picture: {
            const QImage image = QImage::fromData(o.imageData);
            if (!image.isNull())
                out.items.append(RenderedImage{boxMm(o, origin), image, o.keepAspect});
            break;
        }
        case ReportObject::Kind::Line: {
            const QRectF box = boxMm(o, origin);
            out.items.append(RenderedLine{box.topLeft(),
                                          box.topLeft() + QPointF(box.width(), box.height()),
                                          o.penWidthPt, o.penColor});
            break;
        }
        case ReportObject::Kind::Rectangle:
            out.items.append(
                RenderedRectangle{boxMm(o, origin), o.penWidthPt, o.penColor, o.fillColor});
            break;
        }
    }
    return out;
}
