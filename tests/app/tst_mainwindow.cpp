#include "Currency.h"
#include "DataGrid.h"
#include "Database.h"
#include "DbEdit.h"
#include "RowSet.h"
#include "TForm1.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Answers the next message box that appears with `button`; remembers its text.
struct BoxAnswer {
    QString text;
    void answerNext(QMessageBox::StandardButton button) {
        QTimer::singleShot(0, qApp, [this, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                answerNext(button);
                return;
            }
            text = box->text();
            box->button(button)->click();
        });
    }
};

void fill(const QString& folder, int invoices, int linesEach) {
    Database db(folder);
    QSqlQuery q(db.connection());
    for (int cid = 1; cid <= invoices; ++cid) {
        q.prepare(QStringLiteral(
            "insert into title (cid, 发票号码, 购货单位名称, 密码7) values (?, ?, ?, ?)"));
        q.addBindValue(cid);
        q.addBindValue(QStringLiteral("%1").arg(1000 + cid));
        q.addBindValue(QStringLiteral("买方%1").arg(cid));
        q.addBindValue(QStringLiteral("旧密码"));
        QVERIFY(q.exec());
        for (int l = 0; l < linesEach; ++l) {
            q.prepare(QStringLiteral(
                "insert into detail (cid, 货物应税名称, 数量, 单价, 金额) values (?, ?, 1, 2, 2)"));
            q.addBindValue(cid);
            q.addBindValue(QStringLiteral("货物%1-%2").arg(cid).arg(l));
            QVERIFY(q.exec());
        }
    }
}

DbEdit* edit(TForm1& w, const char* name) {
    return w.findChild<DbEdit*>(QString::fromLatin1(name));
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void opensOnEmptyDatabase();
    void opensOnFilledDatabaseAtNewestInvoice();
    void showsInvoiceNumberInCipherLineSeven();
    void enterMovesToNextControlOrGridColumn();
    void lineGridAddsDropsAndDeletesLinesFromTheKeyboard();
    void typingIntoACellKeepsTheEditUntilTheLineIsLeft();
    void closeAsksToSavePendingChange_data();
    void closeAsksToSavePendingChange();
    void foreignDatabaseFileLeavesWindowEmptyAndFileUntouched();
};

void TestMainWindow::opensOnEmptyDatabase() {
    QTemporaryDir dir;
    TForm1 w(dir.path());
    QVERIFY(w.connectionError().isEmpty());
    w.FormActivate();
    QVERIFY(w.titleqry()->isOpen());
    QCOMPARE(w.titleqry()->rowCount(), 0);
    QVERIFY(w.detailqry()->isOpen());
    QCOMPARE(w.findChild<QTabWidget*>("PageControl1")->tabText(0), QStringLiteral("发票明细"));
    QCOMPARE(w.findChild<QTabWidget*>("PageControl1")->tabText(1), QStringLiteral("发票浏览"));
    QCOMPARE(w.findChild<QPushButton*>("exitbtn")->text(), QStringLiteral("&X 退出"));
    QVERIFY(edit(w, "jym")->isReadOnly());
    QVERIFY(!edit(w, "kpdate")->isReadOnly());
    QVERIFY(QFile::exists(dir.filePath("kolu.mdb")));
}

void TestMainWindow::opensOnFilledDatabaseAtNewestInvoice() {
    QTemporaryDir dir;
    fill(dir.path(), 3, 2);
    TForm1 w(dir.path());
    w.FormActivate();
    QCOMPARE(w.titleqry()->rowCount(), 3);
    QCOMPARE(w.titleqry()->value("cid").toLongLong(), 3);
    QCOMPARE(w.detailqry()->rowCount(), 2);
    QCOMPARE(w.detailqry()->value("cid").toLongLong(), 3);
    QCOMPARE(edit(w, "ghmc")->text(), QStringLiteral("买方3"));
    w.titleqry()->moveTo(2);
    QCOMPARE(w.detailqry()->value("货物应税名称").toString(), QStringLiteral("货物1-0"));
    QVERIFY(!w.grab().isNull()); // every control paints, grid footers included
}

void TestMainWindow::showsInvoiceNumberInCipherLineSeven() {
    QTemporaryDir dir;
    fill(dir.path(), 2, 0);
    TForm1 w(dir.path());
    w.FormActivate();
    QCOMPARE(edit(w, "mm7")->text(), QStringLiteral("1002"));
    w.titleqry()->next();
    QCOMPARE(edit(w, "mm7")->text(), QStringLiteral("1001"));
    // Written into 密码7 only when the header is edited and posted.
    w.titleqry()->edit();
    w.titleqry()->post();
    QSqlQuery q(w.cnn()->connection());
    QVERIFY(q.exec("select 密码7 from title where cid=1") && q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("1001"));
    QVERIFY(q.exec("select 密码7 from title where cid=2") && q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("旧密码"));
}

void TestMainWindow::enterMovesToNextControlOrGridColumn() {
    QTemporaryDir dir;
    fill(dir.path(), 1, 1);
    TForm1 w(dir.path());
    w.show();
    w.FormActivate();
    QApplication::setActiveWindow(&w);

    QLineEdit* search = w.findChild<QLineEdit*>("lcEdit");
    search->setFocus();
    QVERIFY(w.FormKeyPress(search, Qt::Key_Return));
    QVERIFY(QApplication::focusWidget() != search);

    DataGrid* grid = w.hgrid();
    grid->view()->setFocus();
    const int last = grid->visibleColumnCount() - 1;
    grid->setSelectedColumn(last - 1);
    QVERIFY(!w.FormKeyPress(grid->view(), Qt::Key_Enter)); // the key still reaches the grid
    QCOMPARE(grid->selectedColumn(), last);
    w.FormKeyPress(grid->view(), Qt::Key_Enter);
    QCOMPARE(grid->selectedColumn(), 0);
    QCOMPARE(grid->view()->currentIndex().row(), 0);
}

void TestMainWindow::lineGridAddsDropsAndDeletesLinesFromTheKeyboard() {
    QTemporaryDir dir;
    fill(dir.path(), 2, 1);
    TForm1 w(dir.path());
    w.show();
    w.FormActivate();
    QApplication::setActiveWindow(&w);
    RowSet* lines = w.detailqry();
    QTableView* view = w.hgrid()->view();
    view->setFocus();
    QCOMPARE(lines->rowCount(), 1);

    QTest::keyClick(view, Qt::Key_Down); // past the last line: a new line of this invoice
    QCOMPARE(lines->state(), RowSet::State::Insert);
    QCOMPARE(lines->rowCount(), 2);
    w.findChild<QLineEdit*>("lcEdit")->setFocus(); // left untouched: dropped
    QCOMPARE(lines->rowCount(), 1);
    QCOMPARE(lines->state(), RowSet::State::Browse);

    view->setFocus();
    QTest::keyClick(view, Qt::Key_Insert);
    lines->setValue("货物应税名称", QStringLiteral("新货物"));
    lines->last(); // the new line stands before the old one; moving posts it with its cid
    QSqlQuery q(w.cnn()->connection());
    QVERIFY(q.exec("select cid from detail where 货物应税名称='新货物'") && q.next());
    QCOMPARE(q.value(0).toLongLong(), 2);
    q.finish();

    BoxAnswer answer;
    answer.answerNext(QMessageBox::Yes);
    QTest::keyClick(view, Qt::Key_Delete, Qt::ControlModifier);
    QVERIFY(q.exec("select count(*) from detail where cid=2") && q.next());
    QCOMPARE(q.value(0).toInt(), 1);
}

void TestMainWindow::typingIntoACellKeepsTheEditUntilTheLineIsLeft() {
    QTemporaryDir dir;
    fill(dir.path(), 1, 2);
    TForm1 w(dir.path());
    w.show();
    w.FormActivate();
    QApplication::setActiveWindow(&w);
    QTableView* view = w.hgrid()->view();
    w.findChild<QLineEdit*>("lcEdit")->setFocus();
    view->setFocus(); // entering the grid writes the header and re-reads the lines
    const QModelIndex quantity = view->model()->index(0, 3);
    view->setCurrentIndex(quantity);
    view->edit(quantity);
    QWidget* editor = QApplication::focusWidget();
    QVERIFY(editor && editor != view);
    QTest::keyClicks(editor, "3");
    QTest::keyClick(editor, Qt::Key_Return); // back to the view: not a new entering
    QCOMPARE(w.detailqry()->state(), RowSet::State::Edit);
    QCOMPARE(w.detailqry()->value("数量").toDouble(), 3.0);
    QCOMPARE(w.detailqry()->value("金额").value<Currency>(), Currency::fromFen(600));
    w.detailqry()->next(); // leaving the line writes it; the totals follow
    QCOMPARE(w.findChild<DbEdit*>("xxje")->text(), QStringLiteral("8.00"));
}

void TestMainWindow::closeAsksToSavePendingChange_data() {
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("stored");
    QTest::newRow("Yes saves header and line") << true << QStringLiteral("新备注");
    QTest::newRow("No writes nothing") << false << QString();
}

void TestMainWindow::closeAsksToSavePendingChange() {
    QFETCH(bool, yes);
    QFETCH(QString, stored);
    QTemporaryDir dir;
    fill(dir.path(), 1, 1);
    {
        TForm1 w(dir.path());
        w.show();
        QTest::qWait(10); // the queued show handler runs
        w.FormActivate();
        w.titleqry()->setValue("备注1", QStringLiteral("新备注"));
        w.detailqry()->setValue("规格型号", QStringLiteral("新规格"));
        BoxAnswer answer;
        answer.answerNext(yes ? QMessageBox::Yes : QMessageBox::No);
        QVERIFY(w.close());
        QCOMPARE(answer.text, QStringLiteral("您修改了这笔记录,要保存吗?"));
    }
    Database db(dir.path());
    QSqlQuery q(db.connection());
    QVERIFY(q.exec("select 备注1 from title") && q.next());
    QCOMPARE(q.value(0).toString(), stored);
    QVERIFY(q.exec("select 规格型号 from detail") && q.next());
    QCOMPARE(q.value(0).toString(), yes ? QStringLiteral("新规格") : QString());
}

void TestMainWindow::foreignDatabaseFileLeavesWindowEmptyAndFileUntouched() {
    QTemporaryDir dir;
    const QByteArray jet = QByteArray("\x00\x01\x00\x00Standard Jet DB", 19) + QByteArray(200, 'x');
    {
        QFile f(dir.filePath("kolu.mdb"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(jet);
    }
    TForm1 w(dir.path());
    QVERIFY(w.connectionError().contains("kolu.mdb"));
    w.FormActivate(); // nothing to open, and no error box at every activation
    QVERIFY(!w.titleqry()->isOpen());
    QFile f(dir.filePath("kolu.mdb"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), jet);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
