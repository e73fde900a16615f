#include "DbError.h"
#include "InvoiceFields.h"
#include "LayoutXml.h"

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

namespace {

ReportObject textObject(const QString& name) {
    ReportObject o;
    o.name = name;
    o.width = 300;
    o.height = 50;
    return o;
}

ReportObject pictureObject(const QString& name, const QByteArray& data) {
    ReportObject o;
    o.kind = ReportObject::Kind::Picture;
    o.name = name;
    o.imageData = data;
    return o;
}

QByteArray pngBytes(QColor color) {
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(color);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

void writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A layout with every kind of object and unusual values in every member.
ReportLayout richLayout() {
    ReportPage page;
    page.name = "发票";
    page.paperWidth = 2400;
    page.paperHeight = 1400;
    page.orientation = ReportPage::Orientation::Landscape;
    page.marginLeft = -120;
    page.marginTop = 3;
    page.marginRight = 0;
    page.marginBottom = -5;
    ReportObject text = textObject("XXJE");
    text.left = 1800;
    text.top = 997;
    text.lines = {"  前导空格", "", "<&>\"'", "末行 "};
    text.fontFamily = "Courier New";
    text.fontSizePt = 12.3;
    text.bold = text.italic = text.underline = true;
    text.textColor = QColor(10, 20, 30, 128);
    text.hAlign = ReportObject::HAlign::Right;
    text.vAlign = ReportObject::VAlign::Bottom;
    text.wordWrap = true;
    text.frameSides = ReportObject::FrameLeft | ReportObject::FrameBottom;
    text.displayFormat = "%2.2n";
    text.printable = false;
    ReportObject picture = pictureObject("ptc", pngBytes(Qt::red));
    picture.keepAspect = true;
    picture.visible = false;
    picture.width = 2400;
    picture.height = 1400;
    ReportObject line;
    line.kind = ReportObject::Kind::Line;
    line.left = 100;
    line.width = -50;
    line.penWidthPt = 0.75;
    line.penColor = Qt::blue;
    ReportObject rect;
    rect.kind = ReportObject::Kind::Rectangle;
    rect.fillColor = QColor("#eeeeee");
    rect.penColor = QColor();
    page.objects = {text, picture, line, rect};
    ReportPage second;
    second.objects = {textObject("第二页")};
    ReportLayout layout;
    layout.pages = {page, second};
    return layout;
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT
private slots:
    void findsNamesIgnoringAsciiCase();
    void splitsTextIntoLines_data();
    void splitsTextIntoLines();
    void skipsMissingAndOtherKindFields();
    void backgroundPicture_data();
    void backgroundPicture();
    void badBackgroundPicture_data();
    void badBackgroundPicture();
    void xmlRoundTripIsExact();
    void loadFailures_data();
    void loadFailures();
    void saveKeepsForeignFile();
};

void LayoutTest::findsNamesIgnoringAsciiCase() {
    ReportLayout layout;
    layout.pages.resize(2);
    layout.pages[0].objects = {textObject("dxje"), textObject("xmc")};
    layout.pages[1].objects = {textObject("bz1"), textObject("BZ1"), textObject("ｍ1")};
    FillInvoiceFields(layout,
                      {{"DXJE", "壹佰元整"}, {"Xmc", "卖方"}, {"BZ1", "备注"}, {"m1", "cipher"}});
    QCOMPARE(layout.pages[0].objects[0].lines, QStringList{"壹佰元整"});
    QCOMPARE(layout.pages[0].objects[1].lines, QStringList{"卖方"});
    QCOMPARE(layout.pages[1].objects[0].lines, QStringList{"备注"});
    QVERIFY(layout.pages[1].objects[1].lines.isEmpty()); // only the first object of a name
    QVERIFY(layout.pages[1].objects[2].lines.isEmpty()); // full-width letters do not fold
    QCOMPARE(layout.FindObject("BZ1"), &layout.pages[1].objects[0]);
    QVERIFY(!layout.FindObject("bz"));
}

void LayoutTest::splitsTextIntoLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << "" << QStringList();
    QTest::newRow("one") << "甲公司" << QStringList{"甲公司"};
    QTest::newRow("CR LF") << "a\r\nb" << QStringList{"a", "b"};
    QTest::newRow("CR") << "a\rb" << QStringList{"a", "b"};
    QTest::newRow("LF") << "a\nb" << QStringList{"a", "b"};
    QTest::newRow("U+2028") << QString("a") + QChar(0x2028) + "b" << QStringList{"a", "b"};
    QTest::newRow("LF CR is two breaks") << "a\n\rb" << QStringList{"a", "", "b"};
    QTest::newRow("trailing break") << "a\n" << QStringList{"a", ""};
}

void LayoutTest::splitsTextIntoLines() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    ReportLayout layout;
    layout.pages.resize(1);
    layout.pages[0].objects = {textObject("gmc")};
    layout.pages[0].objects[0].lines = {"旧内容"};
    QVERIFY(SetFieldText(layout, "gmc", text));
    QCOMPARE(layout.pages[0].objects[0].lines, lines);
}

void LayoutTest::skipsMissingAndOtherKindFields() {
    ReportLayout layout;
    layout.pages.resize(1);
    layout.pages[0].objects = {pictureObject("fpno", pngBytes(Qt::red)), textObject("jym")};
    QVERIFY(!SetFieldText(layout, "fpno", "123"));
    QVERIFY(!SetFieldText(layout, "kprq", "二〇二四年"));
    QVERIFY(SetFieldText(layout, "jym", "987"));
    QCOMPARE(layout.pages[0].objects[0].kind, ReportObject::Kind::Picture);
    QVERIFY(layout.pages[0].objects[0].lines.isEmpty());
    // No ptc: the picture step does nothing, even with a file that does not exist.
    ApplyBackgroundPicture(layout, {"/nonexistent/form.jpg", true});
}

void LayoutTest::backgroundPicture_data() {
    QTest::addColumn<bool>("withPath");
    QTest::addColumn<bool>("flag");
    QTest::newRow("flag true, empty path: layout picture shown") << false << true;
    QTest::newRow("flag false, empty path: hidden") << false << false;
    QTest::newRow("flag true, path: file shown") << true << true;
    QTest::newRow("flag false, path: file loaded, hidden") << true << false;
}

void LayoutTest::backgroundPicture() {
    QFETCH(bool, withPath);
    QFETCH(bool, flag);
    QTemporaryDir dir;
    const QString path = dir.filePath("背景.JPG");
    QVERIFY(QImage(8, 8, QImage::Format_RGB32).save(path, "JPEG"));
    ReportLayout layout;
    layout.pages.resize(1);
    const QByteArray stored = pngBytes(Qt::green);
    layout.pages[0].objects = {textObject("ptc"), pictureObject("ptc", stored)};
    layout.pages[0].objects[0].kind = ReportObject::Kind::Picture; // first ptc wins
    ApplyBackgroundPicture(layout, {withPath ? path : QString(), flag});
    const ReportObject& ptc = layout.pages[0].objects[0];
    QCOMPARE(ptc.visible, flag);
    QCOMPARE(ptc.imageData, withPath ? readFile(path) : QByteArray());
    QCOMPARE(layout.pages[0].objects[1].imageData, stored);
}

void LayoutTest::badBackgroundPicture_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content"); // null: no file
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << "无此图.bmp" << QByteArray() << "无法打开";
    QTest::newRow("unknown extension")
        << "form.txt" << QByteArray("x") << "“.txt”不是已知的图片格式";
    QTest::newRow("no extension") << "form" << QByteArray("x") << "没有扩展名";
    QTest::newRow("metafile") << "form.WMF" << QByteArray("x") << "不支持";
    QTest::newRow("not a picture") << "form.jpeg" << QByteArray("not a jpeg") << "不是有效的";
}

void LayoutTest::badBackgroundPicture() {
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath(fileName);
    if (!content.isNull())
        writeFile(path, content);
    ReportLayout layout;
    layout.pages.resize(1);
    layout.pages[0].objects = {pictureObject("ptc", pngBytes(Qt::green))};
    try {
        ApplyBackgroundPicture(layout, {path, true});
        QFAIL("no error");
    } catch (const DbError& e) {
        QVERIFY2(e.message().contains(fileName), qPrintable(e.message()));
        QVERIFY2(e.message().contains(reason), qPrintable(e.message()));
    }
}

void LayoutTest::xmlRoundTripIsExact() {
    QTemporaryDir dir;
    const QString path = dir.filePath("p108.fr3");
    ReportLayout original = richLayout();
    original.SaveToFile(path);
    const QByteArray firstSave = readFile(path);
    QVERIFY(firstSave.startsWith("<?xml"));
    QVERIFY(firstSave.contains("<fapiao-layout version=\"1\">"));
    QVERIFY(firstSave.contains("margin-left=\"-12\""));
    ReportLayout loaded;
    loaded.LoadFromFile(path);
    QCOMPARE(loaded.fileName, path);
    QVERIFY(loaded == original);
    loaded.SaveToFile(path);
    QCOMPARE(readFile(path), firstSave);
}

void LayoutTest::loadFailures_data() {
    QTest::addColumn<QByteArray>("content"); // null: no file
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << QByteArray() << "找不到版式文件";
    QTest::newRow("other program's report")
        << QByteArray("<?xml version=\"1.0\"?><TfrxReport Version=\"4\"></TfrxReport>")
        << "不是本程序的版式文件";
    QTest::newRow("binary") << QByteArray("\x00\x01\x02garbage", 10) << "不是本程序的版式文件";
    QTest::newRow("newer version") << QByteArray("<fapiao-layout version=\"9\"/>") << "版本为 9";
    QTest::newRow("bad length")
        << QByteArray("<fapiao-layout version=\"1\"><page paper-width=\"wide\"/></fapiao-layout>")
        << "“wide”不是长度";
    QTest::newRow("unknown object")
        << QByteArray("<fapiao-layout version=\"1\"><page><chart/></page></fapiao-layout>")
        << "<chart>";
    QTest::newRow("truncated") << QByteArray("<fapiao-layout version=\"1\"><page><text name=\"a\">")
                               << "已损坏";
}

void LayoutTest::loadFailures() {
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath("pa484.fr3");
    if (!content.isNull())
        writeFile(path, content);
    ReportLayout layout = richLayout();
    try {
        layout.LoadFromFile(path);
        QFAIL("no error");
    } catch (const DbError& e) {
        QVERIFY2(e.message().contains("pa484.fr3"), qPrintable(e.message()));
        QVERIFY2(e.message().contains(reason), qPrintable(e.message()));
    }
    QVERIFY(layout == richLayout()); // a failed load changes nothing
    if (!content.isNull())
        QCOMPARE(readFile(path), content);
}

void LayoutTest::saveKeepsForeignFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("p84.fr3");
    const QByteArray foreign("<?xml version=\"1.0\"?><TfrxReport/>");
    writeFile(path, foreign);
    ReportLayout layout = richLayout();
    QVERIFY_THROWS_EXCEPTION(DbError, layout.SaveToFile(path));
    QCOMPARE(readFile(path), foreign);
}

QTEST_MAIN(LayoutTest)
#include "LayoutTest.moc"
