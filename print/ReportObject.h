#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QStringList>

// One object of a print layout: a text, a picture, a line or a rectangle.
//
// Geometry is kept in whole tenths of a millimetre so a layout file reads back exactly and a
// designer snaps to 0.1 mm. left/top are measured from the page's margin corner (see ReportPage);
// a line runs from (left, top) to (left + width, top + height), so its width or height may be
// zero or negative. The members of the other kinds are kept but not used, so switching kinds in a
// designer loses nothing.
class ReportObject {
public:
    enum class Kind { Text, Picture, Line, Rectangle };
    enum class HAlign { Left, Center, Right, Justify };
    enum class VAlign { Top, Center, Bottom };
    // Sides of a text object's frame, combinable.
    enum FrameSide { NoFrame = 0, FrameLeft = 1, FrameTop = 2, FrameRight = 4, FrameBottom = 8 };
    static constexpr int FrameAll = FrameLeft | FrameTop | FrameRight | FrameBottom;

    Kind kind = Kind::Text;
    QString name; // unique within a layout by convention; looked up ignoring ASCII case

    int left = 0; // tenths of a millimetre
    int top = 0;
    int width = 0;
    int height = 0;

    bool visible = true;   // invisible objects are neither previewed nor printed
    bool printable = true; // non-printable objects show in the designer only

    // Text
    QStringList lines; // the text, one entry per line
    QString fontFamily = QStringLiteral("宋体");
    double fontSizePt = 9.75;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QColor textColor = Qt::black;
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Center;
    bool wordWrap = false;
    int frameSides = NoFrame;
    // How the text is shown when it reads as a number, e.g. "%2.2n" (two decimals, grouped
    // thousands) or "%2.2f" (two decimals); empty or any other text shows the text unchanged.
    QString displayFormat;

    // Picture: the file's bytes as loaded (any format Qt reads), kept as they are.
    QByteArray imageData;
    bool keepAspect = false; // false: stretched over the object's box

    // Frame of a text, the line itself, the outline of a rectangle.
    double penWidthPt = 1.0;
    QColor penColor = Qt::black;
    QColor fillColor; // rectangle fill; invalid means none

    QString text() const { return lines.join(u'\n'); }
    bool isPrinted() const { return visible && printable; }

    bool operator==(const ReportObject&) const = default;
};
