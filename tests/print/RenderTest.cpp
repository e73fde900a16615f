#include "DbError.h"
#include "DefaultLayouts.h"
#include "DisplayFormat.h"
#include "FontSubstitutions.h"
#include "InvoiceFieldMap.h"
#include "InvoicePrintEntry.h"
#include "JpegExport.h"
#include "PdfOutput.h"
#include "PrinterOutput.h"
#include "ReportRenderer.h"
#include "XlsxExport.h"

#include <QFontInfo>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr double MmPerPt = 25.4 / 72;

struct PdfWord {
    QString text;
    QRectF boxMm;
};

// Words of the first page with their boxes, as poppler's pdftotext finds them.
QList<PdfWord> pdfWords(const QString& pdf) {
    QProcess p;
    p.start("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<PdfWord> words;
    for (const auto& m : word.globalMatch(QString::fromUtf8(p.readAllStandardOutput()))) {
        const QPointF topLeft(m.captured(1).toDouble() * MmPerPt,
                              m.captured(2).toDouble() * MmPerPt);
        const QPointF bottomRight(m.captured(3).toDouble() * MmPerPt,
                                  m.captured(4).toDouble() * MmPerPt);
        QString text = m.captured(5);
        text.replace("&amp;", "&").replace("&lt;", "<").replace("&gt;", ">");
        words.append({text, QRectF(topLeft, bottomRight)});
    }
    return words;
}

const PdfWord* findWord(const QList<PdfWord>& words, const QString& text) {
    for (const PdfWord& w : words)
        if (w.text == text)
            return &w;
    return nullptr;
}

// Distinct, space-free texts in every field, so each can be found in the PDF.
InvoicePrintInput distinctInvoice() {
    QHash<QString, QString> shown;
    for (const char* column : {"发票号码",
                               "检验码",
                               "中文日期",
                               "购货纳税人识别号",
                               "购货单位地址",
                               "购货单位银行",
                               "密码1",
                               "密码2",
                               "密码3",
                               "密码4",
                               "密码5",
                               "密码6",
                               "密码7",
                               "密码8",
                               "大写金额",
                               "销货单位名称",
                               "销货纳税人识别号",
                               "销货单位地址",
                               "销货单位银行",
                               "备注1",
                               "备注2",
                               "备注3",
                               "备注4",
                               "收款人",
                               "复核",
                               "开票人"})
        shown.insert(QString::fromUtf8(column),
                     "T" + QString::number(qHash(QString::fromUtf8(column)) % 100000));
    shown.insert("购货单位名称", "甲公司\n第二行");
    shown.insert("小写金额", "5672");
    InvoicePrintInput input;
    input.header = PrintHeader::fromColumns(shown);
    for (int r = 1; r <= 8; ++r) {
        PrintLine line;
        line.name = QString("name%1").arg(r);
        line.model = QString("model%1").arg(r);
        line.unit = QString("u%1").arg(r);
        line.quantity = 100 + r + 0.5;
        line.unitPrice = 200 + r + 0.25;
        line.amount = Currency::fromFen((300 + r) * 100);
        line.taxRate = 10 + r;
        line.tax = Currency::fromFen((400 + r) * 100);
        input.lines.append(line);
    }
    input.totals = PrintTotals::sumOf(input.lines);
    return input;
}

// Where an object lands on the paper, in mm.
QRectF paperBox(const ReportPage& page, const ReportObject& o) {
    return QRectF((page.marginLeft + o.left) / 10.0, (page.marginTop + o.top) / 10.0,
                  o.width / 10.0, o.height / 10.0);
}

} // namespace

class RenderTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void songFontIsInstalled();
    void displayFormats_data();
    void displayFormats();
    void rendersFromMarginCornerAndSkipsHidden();
    void defaultLayoutsHoldEveryField();
    void ensureNeverOverwrites();
    void pdfPlacesEveryField_data();
    void pdfPlacesEveryField();
    void printerOffsetMovesEverything();
    void printerMatchesPdf();
    void failedPictureWritesNoPdf();
    void jpegAndExcelExports();

private:
    QTemporaryDir dir_;
};

void RenderTest::initTestCase() {
    installFontSubstitutions();
    QVERIFY(dir_.isValid());
    QCOMPARE(DefaultLayouts::ensure(dir_.path()).size(), 4);
}

void RenderTest::songFontIsInstalled() {
    QCOMPARE(QFontInfo(QFont("宋体")).family(), "AR PL UMing CN");
}

void RenderTest::displayFormats_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("grouped") << "%2.2n"
                             << "5672"
                             << "5,672.00";
    QTest::newRow("grouped millions, halfway") << "%2.2n"
                                               << "-1234567.005"
                                               << "-1,234,567.01";
    QTest::newRow("below a thousand") << "%2.2n"
                                      << "117.5"
                                      << "117.50";
    QTest::newRow("fixed") << "%2.2f"
                           << "1234.5"
                           << "1234.50";
    QTest::newRow("not a number") << "%2.2n"
                                  << "壹佰"
                                  << "壹佰";
    QTest::newRow("empty text") << "%2.2n"
                                << ""
                                << "";
    QTest::newRow("no format") << ""
                               << "1234.5"
                               << "1234.5";
    QTest::newRow("other format") << "yyyy-mm-dd"
                                  << "1234.5"
                                  << "1234.5";
}

void RenderTest::displayFormats() {
    QFETCH(QString, format);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(DisplayFormat::apply(format, text), shown);
}

void RenderTest::rendersFromMarginCornerAndSkipsHidden() {
    ReportPage page;
    page.marginLeft = -120;
    page.marginTop = 50;
    ReportObject shown;
    shown.name = "fpno";
    shown.left = 1650;
    shown.top = 130;
    shown.width = 310;
    shown.height = 50;
    shown.lines = {"123"};
    ReportObject hidden = shown;
    hidden.visible = false;
    ReportObject designerOnly = shown;
    designerOnly.printable = false;
    page.objects = {hidden, shown, designerOnly};
    QCOMPARE(ReportRenderer::renderPage(page, ReportRenderer::Target::Screen).items.size(), 2);
    const RenderedPage rendered = ReportRenderer::renderPage(page);
    QCOMPARE(rendered.items.size(), 1);
    const auto& text = std::get<RenderedText>(rendered.items.first());
    QCOMPARE(text.rectMm, QRectF(153, 18, 31, 5));
    QCOMPARE(text.text, "123");
}

void RenderTest::defaultLayoutsHoldEveryField() {
    for (PrintLayout::Id id : PrintLayout::all()) {
        ReportLayout layout;
        layout.LoadFromFile(PrintLayout::path(id, dir_.path()));
        QVERIFY(layout == DefaultLayouts::make(id));
        for (const QString& name : InvoiceFieldMap::fieldNames()) {
            const ReportObject* o = layout.FindObject(name);
            QVERIFY2(o && o->kind == ReportObject::Kind::Text, qPrintable(name));
        }
        const ReportObject* ptc = layout.FindObject("ptc");
        QVERIFY(ptc && ptc->kind == ReportObject::Kind::Picture && !ptc->visible);
        QVERIFY(!QImage::fromData(ptc->imageData).isNull());
    }
    const ReportLayout overlay = DefaultLayouts::overlay();
    const ReportPage& page = overlay.pages.first();
    QCOMPARE(page.paperSizeMm(), QSizeF(240, 140));
    QCOMPARE(page.marginLeft, -120);
    const ReportObject* m1 = overlay.FindObject("m1");
    QCOMPARE(m1->fontFamily, "Courier New");
    QCOMPARE(m1->fontSizePt, 12.0);
    QCOMPARE(overlay.FindObject("XXJE")->displayFormat, "%2.2n");
    QCOMPARE(overlay.FindObject("SE8")->top, 873);
    QVERIFY(!overlay.FindObject("m5")->printable);
}

void RenderTest::ensureNeverOverwrites() {
    QTemporaryDir dir;
    QFile foreign(dir.filePath("p84.fr3"));
    QVERIFY(foreign.open(QIODevice::WriteOnly));
    foreign.write("<TfrxReport/>");
    foreign.close();
    QCOMPARE(DefaultLayouts::ensure(dir.path()).size(), 3);
    QVERIFY(DefaultLayouts::ensure(dir.path()).isEmpty());
    QVERIFY(foreign.open(QIODevice::ReadOnly));
    QCOMPARE(foreign.readAll(), QByteArray("<TfrxReport/>"));
}

void RenderTest::pdfPlacesEveryField_data() {
    QTest::addColumn<int>("layout");
    for (PrintLayout::Id id : PrintLayout::all())
        QTest::newRow(qPrintable(PrintLayout::shortName(id))) << int(id);
}

void RenderTest::pdfPlacesEveryField() {
    QFETCH(int, layout);
    const auto id = PrintLayout::Id(layout);
    const QString pdf = dir_.filePath(PrintLayout::shortName(id) + ".pdf");
    const InvoicePrintInput input = distinctInvoice();
    InvoicePrintEntry::printToPdf(id, input, dir_.path(), pdf);
    const QList<PdfWord> words = pdfWords(pdf);
    QVERIFY2(!words.isEmpty(), "pdftotext found no text");

    const ReportLayout filled = [&] {
        PrintStaging staging;
        return InvoicePrintEntry::prepare(PrintLayout::path(id, dir_.path()), input, staging);
    }();
    const ReportPage& page = filled.pages.first();
    for (const QString& name : InvoiceFieldMap::fieldNames()) {
        const ReportObject& o = *filled.FindObject(name);
        const QString expected = o.lines.value(0);
        const PdfWord* w = findWord(words, expected == "5672.00" ? "5,672.00" : expected);
        if (!o.isPrinted()) {
            QVERIFY2(!w, qPrintable(name + " is not printable but printed"));
            continue;
        }
        QVERIFY2(w, qPrintable(name + ": " + expected + " not found"));
        const QRectF box = paperBox(page, o).adjusted(-1, -1.5, 1, 1.5);
        QVERIFY2(box.contains(w->boxMm.center()), qPrintable(QString("%1 at %2,%3 outside its box")
                                                                 .arg(name)
                                                                 .arg(w->boxMm.x())
                                                                 .arg(w->boxMm.y())));
    }
    // The buyer name's line break gives two lines, the second below the first.
    const PdfWord* first = findWord(words, "甲公司");
    const PdfWord* second = findWord(words, "第二行");
    QVERIFY(first && second);
    QVERIFY(second->boxMm.top() > first->boxMm.bottom() - 0.5);
    QCOMPARE(qRound(first->boxMm.left() * 10), qRound(second->boxMm.left() * 10));
}

void RenderTest::printerOffsetMovesEverything() {
    const QString plain = dir_.filePath("plain.pdf");
    const QString moved = dir_.filePath("moved.pdf");
    InvoicePrintEntry::printToPdf(PrintLayout::Overlay108, distinctInvoice(), dir_.path(), plain);
    InvoicePrintEntry::printToPdf(PrintLayout::Overlay108, distinctInvoice(), dir_.path(), moved,
                                  QPointF(3, -2));
    const QList<PdfWord> before = pdfWords(plain);
    const QList<PdfWord> after = pdfWords(moved);
    QCOMPARE(after.size(), before.size());
    for (int i = 0; i < before.size(); ++i) {
        const QPointF shift = after[i].boxMm.topLeft() - before[i].boxMm.topLeft();
        QVERIFY2(qAbs(shift.x() - 3) < 0.05 && qAbs(shift.y() + 2) < 0.05,
                 qPrintable(before[i].text));
    }
}

void RenderTest::printerMatchesPdf() {
    PrintStaging staging;
    const QList<RenderedPage> pages = ReportRenderer::render(InvoicePrintEntry::prepare(
        PrintLayout::path(PrintLayout::Overlay84, dir_.path()), distinctInvoice(), staging));
    const QString direct = dir_.filePath("direct.pdf");
    const QString printed = dir_.filePath("printed.pdf");
    PdfOutput::write(pages, direct, QPointF(1, 1));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printed);
    printer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    PrinterOutput::print(pages, printer, QPointF(1, 1));
    const QList<PdfWord> expected = pdfWords(direct);
    const QList<PdfWord> actual = pdfWords(printed);
    QCOMPARE(actual.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(actual[i].text, expected[i].text);
        const QPointF d = actual[i].boxMm.topLeft() - expected[i].boxMm.topLeft();
        QVERIFY2(qAbs(d.x()) < 0.1 && qAbs(d.y()) < 0.1, qPrintable(expected[i].text));
    }
}

void RenderTest::failedPictureWritesNoPdf() {
    InvoicePrintInput input = distinctInvoice();
    input.backgroundPicturePath = dir_.filePath("没有这个文件.jpg");
    const QString pdf = dir_.filePath("failed.pdf");
    PrintStaging staging;
    QVERIFY_THROWS_EXCEPTION(
        DbError, InvoicePrintEntry::printToPdf(PrintLayout::A4_84, input, dir_.path(), pdf));
    QVERIFY(!QFile::exists(pdf));
}

void RenderTest::jpegAndExcelExports() {
    PrintStaging staging;
    const ReportLayout filled = InvoicePrintEntry::prepare(
        PrintLayout::path(PrintLayout::Overlay108, dir_.path()), distinctInvoice(), staging);
    QList<RenderedPage> pages = ReportRenderer::render(filled);
    const QStringList jpegs = JpegExport::write(pages, dir_.filePath("one.jpg"), 100);
    QCOMPARE(jpegs, QStringList{dir_.filePath("one.jpg")});
    QCOMPARE(QImage(jpegs.first()).size(), QSize(945, 551)); // 240 x 140 mm at 100 dpi
    pages << pages.first();
    QCOMPARE(JpegExport::write(pages, dir_.filePath("two.jpg"), 50),
             QStringList({dir_.filePath("two_1.jpg"), dir_.filePath("two_2.jpg")}));

    const QString xlsx = dir_.filePath("invoice.xlsx");
    XlsxExport::write(pages, xlsx);
    QFile file(xlsx);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(2) == "PK");
    QVERIFY_THROWS_EXCEPTION(DbError, XlsxExport::write(pages, dir_.filePath("no/such/dir.xlsx")));
}

QTEST_MAIN(RenderTest)
#include "RenderTest.moc"
