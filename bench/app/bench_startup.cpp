// Fills a database with invoices and lines, then measures the main window's first activation
// (invoice list and lines loaded), a reload of the lines, and peak memory.
// Usage: bench_startup [invoices=100000] [lines per invoice=5]
#include "Database.h"
#include "RowSet.h"
#include "TForm1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <sys/resource.h>

namespace {

void fill(Database& db, int invoices, int linesEach) {
    db.writeTransaction([&] {
        QSqlQuery title(db.connection());
        title.prepare("insert into title (cid, 发票号码, 开票日期, 中文日期, 购货单位名称, 购货单位银行, "
                      "购货单位地址, 购货纳税人识别号, 销货单位名称, 收款人, 备注, 小写金额, 是否收款) "
                      "values (?,?,?,?,?,?,?,?,?,?,?,?,?)");
        QSqlQuery line(db.connection());
        line.prepare("insert into detail (cid, 货物应税名称, 规格型号, 单位, 数量, 单价, 金额, 税率, 税额) "
                     "values (?,?,?,?,?,?,?,?,?)");
        for (int cid = 1; cid <= invoices; ++cid) {
            const QVariantList values = {cid,
                                         QString::number(10000000 + cid),
                                         "2026-01-15",
                                         "2026年01月15日",
                                         QStringLiteral("示例购货单位%1有限公司").arg(cid % 997),
                                         QStringLiteral("工商银行 6222%1").arg(cid),
                                         QStringLiteral("某市某路%1号 0571-8888%2").arg(cid % 300).arg(cid % 10000),
                                         QStringLiteral("91330100MA%1").arg(cid, 8, 10, QChar('0')),
                                         QStringLiteral("示例销货单位"),
                                         QStringLiteral("张三"),
                                         QString(),
                                         "585",
                                         cid % 2};
            for (const QVariant& v : values)
                title.addBindValue(v);
            title.exec();
            for (int l = 0; l < linesEach; ++l) {
                for (const QVariant& v : QVariantList{cid, QStringLiteral("货物%1").arg(l), "型号A",
                                                      "个", 10.0, 10.0, "100", 17.0, "17"})
                    line.addBindValue(v);
                line.exec();
            }
        }
    });
}

long peakKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int invoices = argc > 1 ? atoi(argv[1]) : 100000;
    const int linesEach = argc > 2 ? atoi(argv[2]) : 5;
    QTextStream out(stdout);
    QTemporaryDir dir;
    QElapsedTimer t;
    t.start();
    {
        Database db(dir.path());
        fill(db, invoices, linesEach);
    }
    out << "filled " << invoices << " invoices x " << linesEach << " lines in " << t.elapsed()
        << " ms\n";
    const long beforeKiB = peakKiB();

    t.restart();
    TForm1 w(dir.path());
    w.resize(1280, 800);
    w.show();
    w.FormActivate();
    QApplication::processEvents();
    out << "open + first activation (list and lines loaded): " << t.elapsed() << " ms, "
        << w.titleqry()->rowCount() << " invoices listed\n";

    const int reloads = 100;
    t.restart();
    for (int i = 0; i < reloads; ++i)
        w.reloadLines();
    out << "reload of the lines: " << double(t.nsecsElapsed()) / reloads / 1e6 << " ms each ("
        << w.detailqry()->rowCount() << " lines)\n";

    t.restart();
    for (int i = 0; i < 1000; ++i)
        w.titleqry()->next();
    out << "moving to the next invoice (post, lines follow): "
        << double(t.nsecsElapsed()) / 1000 / 1e6 << " ms each\n";
    out << "peak memory: " << peakKiB() / 1024 << " MiB (before the window: " << beforeKiB / 1024
        << " MiB)\n";
    return 0;
}
