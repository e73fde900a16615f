#include "LayoutEditModel.h"
#include "DbError.h"
#include "LayoutXml.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

ReportObject box(const QString& name, int left, int top, int width, int height,
                 ReportObject::Kind kind = ReportObject::Kind::Text) {
    ReportObject o;
    o.kind = kind;
    o.name = name;
    o.left = left;
    o.top = top;
    o.width = width;
    o.height = height;
    return o;
}

// Three texts of different places and sizes and one line drawn right to left.
ReportLayout fixture() {
    ReportLayout layout;
    ReportPage page;
    page.objects = {box("a", 100, 100, 300, 50), box("b", 250, 400, 200, 80),
                    box("c", 50, 700, 100, 40),
                    box("line", 600, 300, -200, 0, ReportObject::Kind::Line)};
    layout.pages = {page};
    return layout;
}

QRect geometry(const LayoutEditModel& model, int index) {
    return LayoutEditModel::geometryOf(model.object(index));
}

using Edit = std::function<void(LayoutEditModel&)>;

} // namespace

Q_DECLARE_METATYPE(Edit)

class LayoutEditModelTest : public QObject {
    Q_OBJECT
private slots:
    // Each edit changes exactly the expected geometries, is one undo step, and undo/redo return
    // to the state before and after it.
    void editsAreSingleUndoSteps_data() {
        QTest::addColumn<QList<int>>("selection");
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QList<QRect>>("expected"); // all four objects afterwards

        const QRect a(100, 100, 300, 50), b(250, 400, 200, 80), c(50, 700, 100, 40),
            line(600, 300, -200, 0);
        auto move = [](int dx, int dy) {
            return Edit([=](LayoutEditModel& m) { m.moveSelection(dx, dy); });
        };
        QTest::newRow("arrow right 0.1 mm")
            << QList<int>{0} << move(1, 0) << QList<QRect>{a.translated(1, 0), b, c, line};
        QTest::newRow("shift arrow up 1 mm, two objects")
            << QList<int>{0, 1} << move(0, -10)
            << QList<QRect>{a.translated(0, -10), b.translated(0, -10), c, line};
        QTest::newRow("drag a line")
            << QList<int>{3} << move(25, -5) << QList<QRect>{a, b, c, line.translated(25, -5)};
        QTest::newRow("resize by handle") << QList<int>{1} << Edit([](LayoutEditModel& m) {
            m.setGeometry(1, LayoutEditModel::resized(LayoutEditModel::geometryOf(m.object(1)),
                                                      LayoutEditModel::Handle::BottomRight,
                                                      QPoint(40, -30), false));
        }) << QList<QRect>{a, QRect(250, 400, 240, 50), c, line};
        QTest::newRow("typed left for two objects")
            << QList<int>{0, 2} << Edit([](LayoutEditModel& m) {
                   m.setSelectionField(LayoutEditModel::Field::Left, 123);
               })
            << QList<QRect>{QRect(123, 100, 300, 50), b, QRect(123, 700, 100, 40), line};
        auto align = [](LayoutEditModel::Edge edge) {
            return Edit([=](LayoutEditModel& m) { m.alignSelection(edge); });
        };
        // The first picked object is the reference.
        QTest::newRow("align left to b")
            << QList<int>{1, 0, 2} << align(LayoutEditModel::Edge::Left)
            << QList<QRect>{QRect(250, 100, 300, 50), b, QRect(250, 700, 100, 40), line};
        QTest::newRow("align right to a")
            << QList<int>{0, 1, 2} << align(LayoutEditModel::Edge::Right)
            << QList<QRect>{a, QRect(200, 400, 200, 80), QRect(300, 700, 100, 40), line};
        QTest::newRow("align top to c") << QList<int>{2, 0} << align(LayoutEditModel::Edge::Top)
                                        << QList<QRect>{QRect(100, 700, 300, 50), b, c, line};
        QTest::newRow("align bottom to b")
            << QList<int>{1, 2} << align(LayoutEditModel::Edge::Bottom)
            << QList<QRect>{a, b, QRect(50, 440, 100, 40), line};
        // A line running right to left is aligned by the box it covers.
        QTest::newRow("align left with a reversed line")
            << QList<int>{0, 3} << align(LayoutEditModel::Edge::Left)
            << QList<QRect>{a, b, c, QRect(300, 300, -200, 0)};
        QTest::newRow("same width as c") << QList<int>{2, 0, 1} << Edit([](LayoutEditModel& m) {
            m.sizeSelectionAlike(LayoutEditModel::Dimension::Width);
        }) << QList<QRect>{QRect(100, 100, 100, 50), QRect(250, 400, 100, 80), c, line};
        QTest::newRow("same height as b") << QList<int>{1, 0} << Edit([](LayoutEditModel& m) {
            m.sizeSelectionAlike(LayoutEditModel::Dimension::Height);
        }) << QList<QRect>{QRect(100, 100, 300, 80), b, c, line};
    }
    void editsAreSingleUndoSteps() {
        QFETCH(QList<int>, selection);
        QFETCH(Edit, edit);
        QFETCH(QList<QRect>, expected);
        ReportLayout layout = fixture();
        const ReportLayout original = layout;
        LayoutEditModel model(layout);
        model.setSelection(selection);
        edit(model);

        QCOMPARE(model.undoStack()->count(), 1);
        QVERIFY(model.isModified());
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(geometry(model, i), expected.at(i));
        model.undoStack()->undo();
        QVERIFY(layout == original);
        QVERIFY(!model.isModified());
        model.undoStack()->redo();
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(geometry(model, i), expected.at(i));
    }

    void editsWithoutEffectLeaveNoUndoStep() {
        ReportLayout layout = fixture();
        LayoutEditModel model(layout);
        model.moveSelection(5, 5); // nothing selected
        model.selectOnly(0);
        model.alignSelection(LayoutEditModel::Edge::Left); // one object: nothing to align to
        model.moveSelection(0, 0);
        model.changeSelection("bold twice", [](ReportObject& o) { o.bold = false; });
        QCOMPARE(model.undoStack()->count(), 0);
    }

    void propertyChangesUndoOneAtATime() {
        ReportLayout layout = fixture();
        LayoutEditModel model(layout);
        model.setSelection({0, 1});
        model.changeSelection("font", [](ReportObject& o) { o.fontFamily = "Courier New"; });
        model.changeSelection("size", [](ReportObject& o) { o.fontSizePt = 12; });
        model.changeSelection("frame",
                              [](ReportObject& o) { o.frameSides = ReportObject::FrameAll; });
        QCOMPARE(model.undoStack()->count(), 3);
        model.undoStack()->undo();
        QCOMPARE(model.object(1).frameSides, int(ReportObject::NoFrame));
        QCOMPARE(model.object(1).fontSizePt, 12.0);
        model.undoStack()->undo();
        QCOMPARE(model.object(0).fontSizePt, 9.75);
        QCOMPARE(model.object(0).fontFamily, QString("Courier New"));
        QCOMPARE(model.object(2).fontFamily, QString("宋体"));
    }

    void deleteAndAddUndo() {
        ReportLayout layout = fixture();
        const ReportLayout original = layout;
        LayoutEditModel model(layout);
        model.setSelection({2, 0});
        model.deleteSelection();
        QCOMPARE(model.objectCount(), 2);
        QCOMPARE(model.object(0).name, QString("b"));
        QVERIFY(model.selection().isEmpty());
        model.undoStack()->undo();
        QVERIFY(layout == original);
        QCOMPARE(model.selection(), (QList<int>{0, 2}));

        const int added = model.addObject(box("a", 0, 0, 10, 10)); // name taken
        QCOMPARE(added, 4);
        QCOMPARE(model.object(added).name, QString("a1"));
        QCOMPARE(model.selection(), QList<int>{added});
        model.undoStack()->undo();
        QCOMPARE(model.objectCount(), 4);
        model.undoStack()->redo();
        QCOMPARE(model.object(4).name, QString("a1"));
    }

    void selection() {
        ReportLayout layout = fixture();
        LayoutEditModel model(layout);
        model.selectOnly(1);
        model.toggleSelected(0);
        QCOMPARE(model.selection(), (QList<int>{1, 0}));
        model.toggleSelected(1);
        QCOMPARE(model.selection(), QList<int>{0});
        // A band drawn from bottom right to top left touching a and the line only.
        model.selectTouching(QRect(450, 320, -100, -250), false);
        QCOMPARE(model.selection(), (QList<int>{0, 3}));
        model.selectTouching(QRect(60, 710, 5, 5), true);
        QCOMPARE(model.selection(), (QList<int>{0, 3, 2}));
        QCOMPARE(model.objectAt(QPoint(300, 450)), 1);
        QCOMPARE(model.objectAt(QPoint(500, 302)), -1);
        QCOMPARE(model.objectAt(QPoint(500, 302), 3), 3); // a thin line is hit with some slack
    }

    void resizeRules_data() {
        QTest::addColumn<QRect>("before");
        QTest::addColumn<int>("handle");
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<bool>("isLine");
        QTest::addColumn<QRect>("after");
        using H = LayoutEditModel::Handle;
        const QRect r(100, 100, 200, 50);
        QTest::newRow("right") << r << int(H::Right) << QPoint(30, 99) << false
                               << QRect(100, 100, 230, 50);
        QTest::newRow("top left") << r << int(H::TopLeft) << QPoint(10, -20) << false
                                  << QRect(110, 80, 190, 70);
        QTest::newRow("bottom") << r << int(H::Bottom) << QPoint(5, 15) << false
                                << QRect(100, 100, 200, 65);
        QTest::newRow("left past the right edge turns around")
            << r << int(H::Left) << QPoint(250, 0) << false << QRect(300, 100, 50, 50);
        QTest::newRow("line end past its start keeps direction")
            << QRect(100, 100, 200, 0) << int(H::BottomRight) << QPoint(-250, 10) << true
            << QRect(100, 100, -50, 10);
    }
    void resizeRules() {
        QFETCH(QRect, before);
        QFETCH(int, handle);
        QFETCH(QPoint, delta);
        QFETCH(bool, isLine);
        QFETCH(QRect, after);
        const QRect got =
            LayoutEditModel::resized(before, LayoutEditModel::Handle(handle), delta, isLine);
        QCOMPARE(QList<int>({got.x(), got.y(), got.width(), got.height()}),
                 QList<int>({after.x(), after.y(), after.width(), after.height()}));
    }

    void snapRule_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("grid");
        QTest::addColumn<int>("snapped");
        QTest::newRow("down") << 124 << 10 << 120;
        QTest::newRow("half up") << 125 << 10 << 130;
        QTest::newRow("negative") << -124 << 10 << -120;
        QTest::newRow("5 mm grid") << 274 << 50 << 250;
        QTest::newRow("no grid") << 127 << 1 << 127;
    }
    void snapRule() {
        QFETCH(int, value);
        QFETCH(int, grid);
        QFETCH(int, snapped);
        QCOMPARE(LayoutEditModel::snapped(value, grid), snapped);
    }

    void saveWritesBackToTheLoadedFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("p84.fr3");
        ReportLayout layout = fixture();
        layout.SaveToFile(path);
        ReportLayout loaded;
        loaded.LoadFromFile(path);
        LayoutEditModel model(loaded);
        model.selectOnly(2);
        model.moveSelection(10, 10);
        model.save();
        QVERIFY(!model.isModified());
        ReportLayout again;
        again.LoadFromFile(path);
        QCOMPARE(again.FindObject("c")->left, 60);
    }

    void saveRefusesAForeignFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("p108.fr3");
        ReportLayout layout = fixture();
        layout.SaveToFile(path);
        ReportLayout loaded;
        loaded.LoadFromFile(path);
        QFile foreign(path);
        QVERIFY(foreign.open(QIODevice::WriteOnly));
        foreign.write("<?xml version=\"1.0\"?><TfrxReport Version=\"4\"/>");
        foreign.close();
        LayoutEditModel model(loaded);
        model.selectOnly(0);
        model.moveSelection(1, 0);
        QVERIFY_THROWS_EXCEPTION(DbError, model.save());
        QVERIFY(model.isModified());
        QVERIFY(foreign.open(QIODevice::ReadOnly));
        QVERIFY(foreign.readAll().contains("TfrxReport"));
    }
};

QTEST_MAIN(LayoutEditModelTest)
#include "LayoutEditModelTest.moc"
