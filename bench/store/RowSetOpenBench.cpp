// Times opening the invoice list over a large title table: fills a temporary kolu.mdb with
// N invoices (default 100000) and opens "select * from title order by cid desc".
#include "Database.h"
#include "RowSet.h"
#include "SqlCommand.h"
#include "SqlDialect.h"

#include <QCollator>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <ctime>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? QString(argv[1]).toInt() : 100000;
    QTemporaryDir dir;
    Database db(dir.path());
    const SqlDialect dialect;
    const QStringList columns = {"cid",          "发票号码", "开票日期", "中文日期", "购货单位名称",
                                 "销货单位名称", "备注",     "小写金额", "大写金额", "是否收款"};
    db.writeTransaction([&] {
        for (int i = 1; i <= count; ++i)
            SqlCommand::run(db.connection(), dialect.insertStatement("title", columns),
                            {i, QString::number(10000000 + i), "2008-09-05", "2008年09月05日",
                             QString("购货单位%1").arg(i % 997), QString("销货单位%1").arg(i % 13),
                             QString("备注%1").arg(i), QString::number(i) + ".25", "壹佰圆整",
                             i % 2});
    });
    QTextStream out(stdout);
    for (int run = 0; run < 3; ++run) {
        RowSet titles(db.connection(), "select * from title order by cid desc");
        QElapsedTimer timer;
        timer.start();
        const std::clock_t cpuStart = std::clock();
        titles.open();
        const qint64 openMs = timer.elapsed();
        const qint64 openCpuMs = (std::clock() - cpuStart) * 1000 / CLOCKS_PER_SEC;
        timer.restart();
        QCollator pinyin{QLocale(QLocale::Chinese, QLocale::China)};
        titles.sortBy("购货单位名称", Qt::AscendingOrder, &pinyin);
        const qint64 sortMs = timer.elapsed();
        out << "rows " << titles.rowCount() << ": open " << openMs << " ms (cpu " << openCpuMs
            << " ms), pinyin sort " << sortMs << " ms\n";
    }
    return 0;
}
