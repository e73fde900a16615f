#include "LayoutXml.h"

#include "DbError.h"

#include <QLocale>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <cmath>

namespace {

using Kind = ReportObject::Kind;

const QList<QPair<Kind, QString>> KindElements = {{Kind::Text, QStringLiteral("text")},
                                                  {Kind::Picture, QStringLiteral("picture")},
                                                  {Kind::Line, QStringLiteral("line")},
                                                  {Kind::Rectangle, QStringLiteral("rectangle")}};
const QStringList HAlignNames = {QStringLiteral("left"), QStringLiteral("center"),
                                 QStringLiteral("right"), QStringLiteral("justify")};
const QStringList VAlignNames = {QStringLiteral("top"), QStringLiteral("center"),
                                 QStringLiteral("bottom")};
const QList<QPair<int, QChar>> FrameLetters = {{ReportObject::FrameLeft, u'l'},
                                               {ReportObject::FrameTop, u't'},
                                               {ReportObject::FrameRight, u'r'},
                                               {ReportObject::FrameBottom, u'b'}};

QString lengthText(int tenths) {
    const QString sign = tenths < 0 ? QStringLiteral("-") : QString();
    const int magnitude = std::abs(tenths);
    QString s = sign + QString::number(magnitude / 10);
    if (magnitude % 10)
        s += u'.' + QString::number(magnitude % 10);
    return s;
}

QString numberText(double v) {
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

QString boolText(bool v) {
    return v ? QStringLiteral("true") : QStringLiteral("false");
}

QString colorText(const QColor& c) {
    if (!c.isValid())
        return QStringLiteral("none");
    return c.alpha() == 255 ? c.name(QColor::HexRgb) : c.name(QColor::HexArgb);
}

QString frameText(int sides) {
    QString s;
    for (const auto& [side, letter] : FrameLetters)
        if (sides & side)
            s += letter;
    return s;
}

// Writes only what differs from the default object, so absent means default.
class ObjectWriter {
public:
    ObjectWriter(QXmlStreamWriter& w) : w_(w) {}

    void write(const ReportObject& o) {
        w_.writeStartElement(kindElement(o.kind));
        w_.writeAttribute(QStringLiteral("name"), o.name);
        length("left", o.left, d_.left);
        length("top", o.top, d_.top);
        length("width", o.width, d_.width);
        length("height", o.height, d_.height);
        flag("visible", o.visible, d_.visible);
        flag("printable", o.printable, d_.printable);
        text("font", o.fontFamily, d_.fontFamily);
        number("size", o.fontSizePt, d_.fontSizePt);
        flag("bold", o.bold, d_.bold);
        flag("italic", o.italic, d_.italic);
        flag("underline", o.underline, d_.underline);
        color("color", o.textColor, d_.textColor);
        text("align", HAlignNames.at(int(o.hAlign)), HAlignNames.at(int(d_.hAlign)));
        text("valign", VAlignNames.at(int(o.vAlign)), VAlignNames.at(int(d_.vAlign)));
        flag("wrap", o.wordWrap, d_.wordWrap);
        text("frame", frameText(o.frameSides), frameText(d_.frameSides));
        text("format", o.displayFormat, d_.displayFormat);
        flag("keep-aspect", o.keepAspect, d_.keepAspect);
        number("pen-width", o.penWidthPt, d_.penWidthPt);
        color("pen-color", o.penColor, d_.penColor);
        color("fill", o.fillColor, d_.fillColor);
        for (const QString& line : o.lines)
            w_.writeTextElement(QStringLiteral("l"), line);
        if (!o.imageData.isEmpty())
            writeImage(o.imageData);
        w_.writeEndElement();
    }

private:
    static QString kindElement(Kind kind) {
        for (const auto& [k, element] : KindElements)
            if (k == kind)
                return element;
        return QString();
    }
    void text(const char* name, const QString& v, const QString& def) {
        if (v != def)
            w_.writeAttribute(QString::fromLatin1(name), v);
    }
    void length(const char* name, int v, int def) {
        if (v != def)
            w_.writeAttribute(QString::fromLatin1(name), lengthText(v));
    }
    void number(const char* name, double v, double def) {
        if (v != def)
            w_.writeAttribute(QString::fromLatin1(name), numberText(v));
    }
    void flag(const char* name, bool v, bool def) {
        if (v != def)
            w_.writeAttribute(QString::fromLatin1(name), boolText(v));
    }
    void color(const char* name, const QColor& v, const QColor& def) {
        if (v != def)
            w_.writeAttribute(QString::fromLatin1(name), colorText(v));
    }
    void writeImage(const QByteArray& data) {
        const QByteArray base64 = data.toBase64();
        QString text(QStringLiteral("\n"));
        for (int i = 0; i < base64.size(); i += 100)
            text += QString::fromLatin1(base64.mid(i, 100)) + u'\n';
        w_.writeTextElement(QStringLiteral("image"), text);
    }

    QXmlStreamWriter& w_;
    const ReportObject d_;
};

void writePage(QXmlStreamWriter& w, const ReportPage& p) {
    const ReportPage d;
    w.writeStartElement(QStringLiteral("page"));
    w.writeAttribute(QStringLiteral("name"), p.name);
    w.writeAttribute(QStringLiteral("paper-width"), lengthText(p.paperWidth));
    w.writeAttribute(QStringLiteral("paper-height"), lengthText(p.paperHeight));
    w.writeAttribute(QStringLiteral("orientation"),
                     p.orientation == ReportPage::Orientation::Landscape
                         ? QStringLiteral("landscape")
                         : QStringLiteral("portrait"));
    w.writeAttribute(QStringLiteral("margin-left"), lengthText(p.marginLeft));
    w.writeAttribute(QStringLiteral("margin-top"), lengthText(p.marginTop));
    w.writeAttribute(QStringLiteral("margin-right"), lengthText(p.marginRight));
    w.writeAttribute(QStringLiteral("margin-bottom"), lengthText(p.marginBottom));
    ObjectWriter objects(w);
    for (const ReportObject& o : p.objects)
        objects.write(o);
    w.writeEndElement();
}

// Reading: every failure becomes one DbError naming the file.
class Reader {
public:
    Reader(const QByteArray& data, const QString& fileName) : r_(data), fileName_(fileName) {}

    ReportLayout read() {
        if (!r_.readNextStartElement() || r_.name() != QLatin1String(LayoutXml::RootElement))
            throw DbError(
                QStringLiteral("文件“%1”不是本程序的版式文件（可能是其他程序的报表文件）。")
                    .arg(fileName_));
        checkVersion();
        ReportLayout layout;
        while (r_.readNextStartElement()) {
            if (r_.name() != QLatin1String("page"))
                fail(QStringLiteral("未知的元素 <%1>").arg(r_.name()));
            layout.pages.append(readPage());
        }
        if (r_.hasError())
            fail(r_.errorString());
        return layout;
    }

private:
    [[noreturn]] void fail(const QString& what) {
        throw DbError(QStringLiteral("版式文件“%1”已损坏（第 %2 行）：%3")
                          .arg(fileName_)
                          .arg(r_.lineNumber())
                          .arg(what));
    }

    void checkVersion() {
        bool ok = false;
        const int version = r_.attributes().value(QLatin1String("version")).toInt(&ok);
        if (!ok || version < 1)
            fail(QStringLiteral("缺少格式版本"));
        if (version > LayoutXml::Version)
            throw DbError(QStringLiteral("版式文件“%1”的格式版本为 %2，比本程序能读的版本 %3 "
                                         "新，请使用新版程序打开。")
                              .arg(fileName_)
                              .arg(version)
                              .arg(LayoutXml::Version));
    }

    QString attr(const char* name) const {
        return r_.attributes().value(QLatin1String(name)).toString();
    }
    bool has(const char* name) const { return r_.attributes().hasAttribute(QLatin1String(name)); }

    int length(const char* name, int def) {
        if (!has(name))
            return def;
        bool ok = false;
        const double mm = attr(name).toDouble(&ok);
        if (!ok || std::abs(mm) > 100000)
            fail(QStringLiteral("属性 %1 的值“%2”不是长度").arg(QLatin1String(name), attr(name)));
        return int(std::lround(mm * 10));
    }
    double number(const char* name, double def) {
        if (!has(name))
            return def;
        bool ok = false;
        const double v = attr(name).toDouble(&ok);
        if (!ok || v < 0 || v > 10000)
            fail(QStringLiteral("属性 %1 的值“%2”不是数值").arg(QLatin1String(name), attr(name)));
        return v;
    }
    bool flag(const char* name, bool def) {
        if (!has(name))
            return def;
        const QString v = attr(name);
        if (v != QLatin1String("true") && v != QLatin1String("false"))
            fail(QStringLiteral("属性 %1 的值“%2”应为 true 或 false").arg(QLatin1String(name), v));
        return v == QLatin1String("true");
    }
    QColor color(const char* name, const QColor& def) {
        if (!has(name))
            return def;
        const QString v = attr(name);
        if (v == QLatin1String("none"))
            return QColor();
        const QColor c = QColor::fromString(v);
        if (!c.isValid())
            fail(QStringLiteral("属性 %1 的值“%2”不是颜色").arg(QLatin1String(name), v));
        return c;
    }
    int choice(const char* name, const QStringList& names, int def) {
        if (!has(name))
            return def;
        const int i = names.indexOf(attr(name));
        if (i < 0)
            fail(QStringLiteral("属性 %1 的值“%2”无效").arg(QLatin1String(name), attr(name)));
        return i;
    }
    int frame(const char* name, int def) {
        if (!has(name))
            return def;
        int sides = 0;
        for (const QChar c : attr(name)) {
            const auto it = std::find_if(FrameLetters.begin(), FrameLetters.end(),
                                         [c](const auto& p) { return p.second == c; });
            if (it == FrameLetters.end())
                fail(QStringLiteral("属性 %1 的值“%2”无效").arg(QLatin1String(name), attr(name)));
            sides |= it->first;
        }
        return sides;
    }

    ReportPage readPage() {
        ReportPage p;
        const ReportPage d;
        p.name = has("name") ? attr("name") : d.name;
        p.paperWidth = length("paper-width", d.paperWidth);
        p.paperHeight = length("paper-height", d.paperHeight);
        if (p.paperWidth <= 0 || p.paperHeight <= 0)
            fail(QStringLiteral("纸张尺寸必须大于零"));
        p.orientation =
            choice("orientation", {QStringLiteral("portrait"), QStringLiteral("landscape")}, 0) == 1
                ? ReportPage::Orientation::Landscape
                : ReportPage::Orientation::Portrait;
        p.marginLeft = length("margin-left", d.marginLeft);
        p.marginTop = length("margin-top", d.marginTop);
        p.marginRight = length("margin-right", d.marginRight);
        p.marginBottom = length("margin-bottom", d.marginBottom);
        while (r_.readNextStartElement())
            p.objects.append(readObject());
        return p;
    }

    ReportObject readObject() {
        const auto it = std::find_if(KindElements.begin(), KindElements.end(),
                                     [&](const auto& p) { return r_.name() == p.second; });
        if (it == KindElements.end())
            fail(QStringLiteral("未知的对象 <%1>").arg(r_.name()));
        const ReportObject d;
        ReportObject o;
        o.kind = it->first;
        o.name = attr("name");
        o.left = length("left", d.left);
        o.top = length("top", d.top);
        o.width = length("width", d.width);
        o.height = length("height", d.height);
        o.visible = flag("visible", d.visible);
        o.printable = flag("printable", d.printable);
        o.fontFamily = has("font") ? attr("font") : d.fontFamily;
        o.fontSizePt = number("size", d.fontSizePt);
        o.bold = flag("bold", d.bold);
        o.italic = flag("italic", d.italic);
        o.underline = flag("underline", d.underline);
        o.textColor = color("color", d.textColor);
        o.hAlign = ReportObject::HAlign(choice("align", HAlignNames, int(d.hAlign)));
        o.vAlign = ReportObject::VAlign(choice("valign", VAlignNames, int(d.vAlign)));
        o.wordWrap = flag("wrap", d.wordWrap);
        o.frameSides = frame("frame", d.frameSides);
        o.displayFormat = has("format") ? attr("format") : d.displayFormat;
        o.keepAspect = flag("keep-aspect", d.keepAspect);
        o.penWidthPt = number("pen-width", d.penWidthPt);
        o.penColor = color("pen-color", d.penColor);
        o.fillColor = color("fill", d.fillColor);
        readObjectContent(o);
        return o;
    }

    void readObjectContent(ReportObject& o) {
        while (r_.readNextStartElement()) {
            if (r_.name() == QLatin1String("l"))
                o.lines.append(r_.readElementText());
            else if (r_.name() == QLatin1String("image"))
                o.imageData = QByteArray::fromBase64(r_.readElementText().toLatin1());
            else
                fail(QStringLiteral("未知的元素 <%1>").arg(r_.name()));
        }
    }

    QXmlStreamReader r_;
    QString fileName_;
};

} // namespace

QByteArray LayoutXml::write(const ReportLayout& layout) {
    QByteArray data;
    QXmlStreamWriter w(&data);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(1);
    w.writeStartDocument();
    w.writeStartElement(QLatin1String(RootElement));
    w.writeAttribute(QStringLiteral("version"), QString::number(Version));
    for (const ReportPage& page : layout.pages)
        writePage(w, page);
    w.writeEndElement();
    w.writeEndDocument();
    return data;
}

ReportLayout LayoutXml::read(const QByteArray& data, const QString& fileName) {
    return Reader(data, fileName).read();
}

bool LayoutXml::isLayout(const QByteArray& data) {
    QXmlStreamReader r(data);
    return r.readNextStartElement() && r.name() == QLatin1String(RootElement);
}
