#include "Database.h"
#include "DbError.h"
#include "DefaultLayouts.h"
#include "FontSubstitutions.h"
#include "InvoicePrintCommands.h"
#include "LayoutDesigner.h"
#include "PrintMenu.h"
#include "PrinterOffsets.h"
#include "ReportPreview.h"
#include "TsetfpForm.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

InvoicePrintInput sampleInvoice() {
    InvoicePrintInput input;
    input.header.invoiceNumber = QStringLiteral("00012345");
    input.header.buyerName = QStringLiteral("示例商贸有限公司");
    input.header.amountInFigures = QStringLiteral("117.00");
    PrintLine line;
    line.name = QStringLiteral("复印纸");
    line.quantity = 2;
    line.unitPrice = 50;
    line.amount = Currency::fromFen(10000);
    line.taxRate = 17;
    line.tax = Currency::fromFen(1700);
    input.lines = {line};
    input.totals = PrintTotals::sumOf(input.lines);
    return input;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList textsOf(const RenderedPage& page) {
    QStringList texts;
    for (const RenderedItem& item : page.items)
        if (const auto* text = std::get_if<RenderedText>(&item))
            texts << text->text;
    return texts;
}

// Where poppler finds a word on the first page of a PDF, in millimetres.
QPointF wordPositionMm(const QString& pdf, const QString& word) {
    QProcess p;
    p.start("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"});
    if (!p.waitForFinished(30000))
        return {};
    const QRegularExpression box(
        QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>%1</word>)re").arg(word));
    const auto m = box.match(QString::fromUtf8(p.readAllStandardOutput()));
    constexpr double MmPerPt = 25.4 / 72;
    return m.hasMatch()
               ? QPointF(m.captured(1).toDouble() * MmPerPt, m.captured(2).toDouble() * MmPerPt)
               : QPointF(-1, -1);
}

// Runs `inside` on the modal window of type T once it is open.
template <class T> void whenOpen(std::function<void(T*)> inside) {
    QTimer::singleShot(0, [inside] {
        auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
        QVERIFY2(window, "the modal window did not open");
        inside(window);
    });
}

} // namespace

class PrintCommandsTest : public QObject {
    Q_OBJECT
public:
    struct Opened {
        QString kind; // "preview" or "designer"
        ReportLayout layout;
    };

private:
    QTemporaryDir dir_;
    PrintStaging staging_;
    InvoicePrintInput input_;
    std::unique_ptr<Database> db_;
    std::unique_ptr<QWidget> parent_;
    std::unique_ptr<InvoicePrintCommands> commands_;
    QList<Opened> opened_;

    // Commands whose preview and designer only record what they would show.
    void recordOpenings() {
        commands_->setPreviewOpener([this](QWidget*, const ReportLayout& filled) {
            opened_.append({"preview", filled});
        });
        commands_->setDesignerOpener([this](QWidget*, ReportLayout& filled) {
            opened_.append({"designer", filled});
        });
    }

private slots:
    void initTestCase() { installFontSubstitutions(); }

    void init() {
        QVERIFY(dir_.isValid());
        for (PrintLayout::Id id : PrintLayout::all())
            QFile::remove(PrintLayout::path(id, dir_.path()));
        DefaultLayouts::ensure(dir_.path());
        if (!db_)
            db_ = std::make_unique<Database>(dir_.path());
        input_ = sampleInvoice();
        opened_.clear();
        commands_.reset(); // a child of the parent window
        parent_ = std::make_unique<QWidget>();
        commands_ = std::make_unique<InvoicePrintCommands>(
            parent_.get(), dir_.path(), [this] { return input_; }, staging_, db_->connection());
    }

    void menuEntriesAndDividers() {
        recordOpenings();
        int collectionOpened = 0;
        QMenu* menu = PrintMenu::build(parent_.get(), *commands_, [&] { ++collectionOpened; });
        QCOMPARE(menu->objectName(), QString("PopupMenu2"));
        const QString divider(54, u'-');
        const QList<std::pair<QString, QString>> expected = {
            {"N9", "1. 发票套打 (108)"},
            {"N8", "2. 发票套打 (108) 位置、字体、大小调整"},
            {"N19", divider},
            {"A41", "3. A4打印 (108)"},
            {"A42", "4. A4打印 (108) 位置、字体、大小调整"},
            {"N17", divider},
            {"N5108S1", "5. 发票套打 (84)"},
            {"N2108T1", "6. 发票套打 (84) 位置、字体、大小调整 "},
            {"N20", divider},
            {"N7A4108U1", "7. A4打印 (84)"},
            {"N8A4108A4V1", "8. A4打印 (84) 位置、字体、大小调整 "},
            {"N18", divider},
            {"N16", "9.   销售货物或者提供应税劳务清单(24cmX28cm 有孔)"},
            {"A43", "10. 销售货物或者提供应税劳务清单(A4)"},
            {"N10", "11. 增值税应税货物或劳务销货清单打印(A4)"},
            {"N11", "12. 增值税专用发票销货清单打印(套打)"},
            {"N4", "13.  收款情况打印"},
        };
        const QList<QAction*> actions = menu->actions();
        QCOMPARE(actions.size(), expected.size());
        for (int i = 0; i < actions.size(); ++i) {
            QCOMPARE(actions.at(i)->objectName(), expected.at(i).first);
            QCOMPARE(actions.at(i)->text(), expected.at(i).second);
        }

        for (const char* divider : {"N19", "N17", "N20", "N18"})
            menu->findChild<QAction*>(divider)->trigger();
        QVERIFY(opened_.isEmpty());

        const QList<std::tuple<QString, QString, QString>> entries = {
            {"N9", "preview", "p108.fr3"},         {"N8", "designer", "p108.fr3"},
            {"A41", "preview", "pa4108.fr3"},      {"A42", "designer", "pa4108.fr3"},
            {"N5108S1", "preview", "p84.fr3"},     {"N2108T1", "designer", "p84.fr3"},
            {"N7A4108U1", "preview", "pa484.fr3"}, {"N8A4108A4V1", "designer", "pa484.fr3"}};
        for (const auto& [name, kind, file] : entries) {
            menu->findChild<QAction*>(name)->trigger();
            QCOMPARE(opened_.last().kind, kind);
            QCOMPARE(QFileInfo(opened_.last().layout.fileName).fileName(), file);
        }
        QCOMPARE(opened_.size(), 8);
        menu->findChild<QAction*>("N4")->trigger();
        QCOMPARE(collectionOpened, 1);
    }

    void printOpensThePreviewWithTheInvoice() {
        QStringList shown;
        whenOpen<ReportPreview>([&](ReportPreview* preview) {
            QCOMPARE(preview->pages().size(), 1);
            shown = textsOf(preview->pages().first());
            preview->reject();
        });
        commands_->print(PrintLayout::Overlay108);
        QVERIFY(shown.contains("00012345"));
        QVERIFY(shown.contains("示例商贸有限公司"));
        QVERIFY(shown.contains("复印纸"));
        QVERIFY(shown.contains("117.00"));
    }

    void adjustSavedIsUsedByTheNextPrintOfThatLayoutOnly() {
        const QByteArray untouched = fileBytes(commands_->layoutPath(PrintLayout::Overlay108));
        int fpnoLeft = 0;
        whenOpen<LayoutDesigner>([&](LayoutDesigner* designer) {
            LayoutEditModel* model = designer->model();
            const int fpno = model->objectAt(QPoint(model->layout().FindObject("fpno")->left + 5,
                                                    model->layout().FindObject("fpno")->top + 5));
            model->selectOnly(fpno);
            model->moveSelection(50, -10);
            fpnoLeft = model->object(fpno).left;
            designer->findChild<QAction*>("saveAction")->trigger();
            designer->reject(); // saved: closes without asking
        });
        commands_->adjust(PrintLayout::Overlay84);
        QVERIFY(fpnoLeft != 0);

        recordOpenings();
        commands_->print(PrintLayout::Overlay84);
        QCOMPARE(opened_.last().layout.FindObject("fpno")->left, fpnoLeft);
        // The next print fills the fields afresh over the texts saved with the layout.
        input_.header.invoiceNumber = QStringLiteral("00099999");
        commands_->print(PrintLayout::Overlay84);
        QCOMPARE(opened_.last().layout.FindObject("fpno")->text(), QString("00099999"));
        QCOMPARE(fileBytes(commands_->layoutPath(PrintLayout::Overlay108)), untouched);
    }

    void designerClosedWithoutSavingLeavesTheFile() {
        const QString path = commands_->layoutPath(PrintLayout::A4_84);
        const QByteArray before = fileBytes(path);
        QList<QMessageBox::StandardButton> answers = {QMessageBox::Cancel, QMessageBox::No};
        int asked = 0;
        bool stayedOpenOnCancel = false;
        whenOpen<LayoutDesigner>([&](LayoutDesigner* designer) {
            designer->setSaveQuestion([&](QWidget*) { return answers.at(asked++); });
            designer->model()->selectOnly(0);
            designer->model()->moveSelection(30, 30);
            designer->reject();
            stayedOpenOnCancel = designer->isVisible();
            designer->reject();
        });
        commands_->adjust(PrintLayout::A4_84);
        QCOMPARE(asked, 2);
        QVERIFY(stayedOpenOnCancel);
        QCOMPARE(fileBytes(path), before);
    }

    void missingLayoutIsRefusedByName() {
        recordOpenings();
        QSignalSpy stagingChanged(commands_.get(), &InvoicePrintCommands::stagingChanged);
        QVERIFY(QFile::remove(commands_->layoutPath(PrintLayout::Overlay84)));
        for (auto command : {&InvoicePrintCommands::print, &InvoicePrintCommands::adjust}) {
            try {
                (commands_.get()->*command)(PrintLayout::Overlay84);
                QFAIL("a missing layout file was not refused");
            } catch (const DbError& error) {
                QVERIFY2(error.message().contains("p84.fr3"), qPrintable(error.message()));
            }
        }
        QVERIFY(opened_.isEmpty());
        QCOMPARE(stagingChanged.count(), 0);
    }

    void failedStepOpensNothingAndStagingShowsTheCells() {
        recordOpenings();
        TsetfpForm staging(staging_);
        connect(commands_.get(), &InvoicePrintCommands::stagingChanged, &staging,
                &TsetfpForm::refresh);
        QCOMPARE(staging.windowTitle(), QString("发票打印设置"));
        input_.header.amountInFigures = QStringLiteral("一百");
        QVERIFY_THROWS_EXCEPTION(DbError, commands_->print(PrintLayout::A4_108));
        QVERIFY(opened_.isEmpty());
        // The cells were filled before the amount failed, and the window shows them.
        QCOMPARE(staging.edit(1)->text(), QString("复印纸"));
        QCOMPARE(staging.findChild<QLineEdit*>("Edit4")->text(), QString("2"));
        QCOMPARE(staging.findChild<QLineEdit*>("Edit66")->text(), QString("100.00"));
    }

    void printerOffsetMovesThePrintOnly() {
        QPrinter plain(QPrinter::HighResolution);
        const QString name = plain.printerName();
        PrinterOffsets offsets(db_->connection());
        offsets.setOffset(name, QPointF(4.5, -2));
        QCOMPARE(PrinterOffsets(db_->connection()).offsetFor(name), QPointF(4.5, -2));
        QCOMPARE(offsets.offsetFor("another printer"), QPointF());

        recordOpenings();
        commands_->print(PrintLayout::Overlay108);
        ReportPreview preview(opened_.last().layout, offsets);
        const QString printed = dir_.filePath("printed.pdf");
        const QString exported = dir_.filePath("exported.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(printed);
        printer.setPrinterName(name);
        preview.printOn(printer);
        preview.exportPdf(exported);

        const QPointF moved = wordPositionMm(printed, "00012345");
        const QPointF unmoved = wordPositionMm(exported, "00012345");
        QVERIFY(unmoved.x() > 0);
        QVERIFY2(std::abs(moved.x() - unmoved.x() - 4.5) < 0.2 &&
                     std::abs(moved.y() - unmoved.y() + 2) < 0.2,
                 qPrintable(QString("moved %1,%2 unmoved %3,%4")
                                .arg(moved.x())
                                .arg(moved.y())
                                .arg(unmoved.x())
                                .arg(unmoved.y())));
        offsets.setOffset(name, QPointF());
    }

    void exportsWriteEveryKind() {
        recordOpenings();
        commands_->print(PrintLayout::A4_108);
        ReportPreview preview(opened_.last().layout, PrinterOffsets());
        preview.exportXlsx(dir_.filePath("invoice.xlsx"));
        const QStringList pictures = preview.exportJpeg(dir_.filePath("invoice.jpg"));
        QCOMPARE(pictures.size(), preview.pages().size());
        QVERIFY(QImage(pictures.first()).width() > 1000);
        QVERIFY(QFileInfo(dir_.filePath("invoice.xlsx")).size() > 0);
    }

    void previewZoomAndPages() {
        recordOpenings();
        commands_->print(PrintLayout::A4_84);
        ReportLayout twoPages = opened_.last().layout;
        twoPages.pages.append(twoPages.pages.first());
        ReportPreview preview(twoPages, PrinterOffsets());
        preview.resize(800, 600);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QCOMPARE(preview.zoomMode(), ReportPreview::ZoomMode::FitWidth);
        const double fitWidth = preview.zoom();
        preview.setZoomMode(ReportPreview::ZoomMode::FitPage);
        QVERIFY(preview.zoom() < fitWidth); // A4 is higher than wide
        preview.setZoom(1.0);
        preview.zoomIn();
        QCOMPARE(preview.zoom(), 1.25);
        preview.zoomOut();
        preview.zoomOut();
        QCOMPARE(preview.zoom(), 0.75);
        preview.findChild<QAction*>("nextPageAction")->trigger();
        QCOMPARE(preview.currentPage(), 1);
        preview.findChild<QAction*>("nextPageAction")->trigger();
        QCOMPARE(preview.currentPage(), 1);
        preview.findChild<QAction*>("firstPageAction")->trigger();
        QCOMPARE(preview.currentPage(), 0);
    }
};

QTEST_MAIN(PrintCommandsTest)
#include "PrintCommandsTest.moc"
