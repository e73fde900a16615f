#include "CalibrationPage.h"
#include "DefaultLayouts.h"
#include "DesignerCanvas.h"
#include "FontSubstitutions.h"
#include "LayoutDesigner.h"
#include "PrintStaging.h"
#include "SampleListPicture.h"
#include "Tqd1Form.h"
#include "Tqd2Form.h"
#include "Tqd3Form.h"
#include "Tqd4form.h"
#include "TsetfpForm.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

class PrintWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installFontSubstitutions(); }

    // Mouse and keys on the designer's page become single edits of the model.
    void canvasDragsAndKeysAreEdits() {
        ReportLayout layout = DefaultLayouts::make(PrintLayout::Overlay108);
        LayoutDesigner designer(layout);
        designer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&designer));
        LayoutEditModel* model = designer.model();
        DesignerCanvas* canvas = designer.canvas();
        const ReportObject* fpno = layout.FindObject("fpno");
        const int index = int(fpno - layout.pages.first().objects.constData());
        const QPoint left(fpno->left, fpno->top);
        const QPoint inside = canvas->toWidget(left + QPoint(20, 20)).toPoint();

        QTest::mousePress(canvas, Qt::LeftButton, {}, inside);
        QTest::mouseMove(canvas, inside + QPoint(qRound(canvas->pixelsPerMm() * 10), 0));
        QTest::mouseRelease(canvas, Qt::LeftButton, {},
                            inside + QPoint(qRound(canvas->pixelsPerMm() * 10), 0));
        QCOMPARE(model->selection(), QList<int>{index});
        QCOMPARE(model->undoStack()->count(), 1);
        QCOMPARE(model->object(index).left, fpno->left); // the model holds the same layout
        QCOMPARE(model->object(index).left, 1750);       // 165 mm + 10 mm, on the 1 mm grid

        QTest::keyClick(canvas, Qt::Key_Right);
        QTest::keyClick(canvas, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(model->object(index).left, 1751);
        QCOMPARE(model->object(index).top, 140);
        QCOMPARE(model->undoStack()->count(), 3);
        model->undoStack()->undo();
        model->undoStack()->undo();
        model->undoStack()->undo();
        QCOMPARE(QPoint(model->object(index).left, model->object(index).top), left);

        // Shift-click adds a second object; a band over empty paper selects nothing new.
        const ReportObject* jym = layout.FindObject("jym");
        QTest::mouseClick(canvas, Qt::LeftButton, Qt::ShiftModifier,
                          canvas->toWidget(QPoint(jym->left + 10, jym->top + 10)).toPoint());
        QCOMPARE(model->selection().size(), 2);
        QTest::keyClick(canvas, Qt::Key_Delete);
        QCOMPARE(model->objectCount(), int(layout.pages.first().objects.size()));
        QVERIFY(!layout.FindObject("jym"));
        model->undoStack()->undo();
        QVERIFY(layout.FindObject("jym"));
        designer.setSaveQuestion([](QWidget*) { return QMessageBox::No; });
    }

    // Text typed in the panel counts even when the user saves without leaving the box.
    void typedTextIsSavedWithoutLeavingTheBox() {
        QTemporaryDir dir;
        DefaultLayouts::ensure(dir.path());
        ReportLayout layout;
        layout.LoadFromFile(PrintLayout::path(PrintLayout::Overlay84, dir.path()));
        LayoutDesigner designer(layout);
        designer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&designer));
        const int label = designer.model()->addObject(ReportObject());
        auto* text = designer.findChild<QPlainTextEdit*>("textEdit");
        text->setFocus();
        text->selectAll();
        QTest::keyClicks(text, "note 2");
        designer.findChild<QAction*>("saveAction")->trigger();
        QVERIFY(!designer.model()->isModified());
        ReportLayout saved;
        saved.LoadFromFile(layout.fileName);
        QCOMPARE(saved.FindObject(designer.model()->object(label).name)->text(), QString("note 2"));
    }

    void stagingWindowLaysOutTheCells() {
        PrintStaging staging;
        PrintLine line;
        line.name = "复印纸";
        line.quantity = 3;
        staging.FillPrintStaging({line, line}, PrintTotals::sumOf({line, line}));
        TsetfpForm form(staging);
        auto* grid = qobject_cast<QGridLayout*>(form.layout());
        QVERIFY(grid);
        auto positionOf = [&](int n) {
            int row, column, rowSpan, columnSpan;
            grid->getItemPosition(grid->indexOf(form.edit(n)), &row, &column, &rowSpan,
                                  &columnSpan);
            return QPoint(column, row);
        };
        QCOMPARE(positionOf(1), QPoint(0, 0));
        QCOMPARE(positionOf(8), QPoint(7, 0));
        QCOMPARE(positionOf(12), QPoint(3, 1)); // line 2, column 4
        QCOMPARE(positionOf(64), QPoint(7, 7));
        QCOMPARE(positionOf(65), QPoint(0, 8));
        QCOMPARE(positionOf(67), QPoint(2, 8));
        QCOMPARE(form.findChild<QLineEdit*>("Edit9")->text(), QString("复印纸"));
        QCOMPARE(form.edit(65)->text(), QString("6"));
    }

    void sampleWindows_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<std::function<QDialog*()>>("make");
        QTest::newRow("9") << "销售货物或者提供应税劳务清单"
                           << std::function<QDialog*()>([] { return new Tqd1Form; });
        QTest::newRow("10") << "销售货物或者提供应税劳务清单"
                            << std::function<QDialog*()>([] { return new Tqd2Form; });
        QTest::newRow("11") << "增值税应税货物或劳务销货清单"
                            << std::function<QDialog*()>([] { return new Tqd3Form; });
        QTest::newRow("12") << "增值税专用发票销货清单"
                            << std::function<QDialog*()>([] { return new Tqd4form; });
    }
    void sampleWindows() {
        QFETCH(QString, title);
        QFETCH(std::function<QDialog*()>, make);
        std::unique_ptr<QDialog> window(make());
        QCOMPARE(window->windowTitle(), QString("清单"));
        QVERIFY(window->windowState() & Qt::WindowMaximized);
        auto* image = window->findChild<QLabel*>("Image1");
        auto* demo = window->findChild<QLabel*>("Label1");
        QVERIFY(image && demo);
        QCOMPARE(demo->text(), QString("演 示"));
        QCOMPARE(demo->font().pixelSize(), 21);
        QCOMPARE(image->alignment(), Qt::AlignLeft | Qt::AlignTop);
        QCOMPARE(image->pixmap().toImage(), SampleListPicture::picture([&] {
                     for (auto form : {SampleListPicture::Form::GoodsAndServices,
                                       SampleListPicture::Form::TaxableGoods,
                                       SampleListPicture::Form::SpecialInvoice})
                         if (SampleListPicture::title(form) == title)
                             return form;
                     return SampleListPicture::Form::GoodsAndServices;
                 }()));

        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        // A click anywhere on the picture, the red word included, closes the window.
        QTest::mouseClick(image, Qt::LeftButton, {}, demo->geometry().center());
        QVERIFY(!window->isVisible());
        QCOMPARE(window->result(), int(QDialog::Accepted));
    }

    void calibrationGridIsLabelledEveryTenMillimetres() {
        const RenderedPage page = CalibrationPage::make(QSizeF(240, 140));
        QCOMPARE(page.paperMm, QSizeF(240, 140));
        QStringList topRow;
        int blackLines = 0;
        for (const RenderedItem& item : page.items) {
            if (const auto* text = std::get_if<RenderedText>(&item); text && text->rectMm.top() < 1)
                topRow << text->text;
            if (const auto* line = std::get_if<RenderedLine>(&item);
                line && line->color == Qt::black)
                ++blackLines;
        }
        QCOMPARE(topRow.first(), QString("10"));
        QCOMPARE(topRow.last(), QString("230"));
        QCOMPARE(blackLines, 25 + 15); // 0..240 across, 0..140 down
    }
};

QTEST_MAIN(PrintWindowsTest)
#include "PrintWindowsTest.moc"
