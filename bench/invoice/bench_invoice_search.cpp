// Fills a database with many invoices, then times the register's search as typed keystroke by
// keystroke, the same LIKE query run alone by the sqlite3 shell, and sorting the list. Then the
// same typing with the list read incrementally, as the main window reads it: the time until the
// keystroke returns control, and the time until the rest has been read in the background.
#include "Database.h"
#include "InvoiceRegister.h"
#include "InvoiceSearch.h"
#include "RowSet.h"
#include "SqlCommand.h"
#include "WriteTransaction.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>

namespace {

QTextStream out(stdout);

QString pick(QRandomGenerator& random, const QStringList& words) {
    return words.at(random.bounded(int(words.size())));
}

QString digits(QRandomGenerator& random, int count) {
    QString s;
    for (int i = 0; i < count; ++i)
        s += QChar(u'0' + random.bounded(10));
    return s;
}

void fill(const QSqlDatabase& db, int invoices) {
    const QStringList cities = {"北京", "上海", "广州", "深圳", "杭州", "南京", "成都", "武汉",
                                "西安", "天津", "重庆", "苏州", "青岛", "大连", "厦门", "长沙"};
    const QStringList words = {"华", "新", "中", "东方", "金", "宏", "盛", "达", "通", "海",
                               "信", "联", "恒", "泰",   "安", "瑞", "祥", "兴", "明", "光"};
    const QStringList trades = {"贸易", "科技", "电子", "机械", "化工",
                                "建材", "食品", "纺织", "物流", "印刷"};
    const QStringList banks = {"工商银行", "建设银行", "农业银行",
                               "中国银行", "交通银行", "招商银行"};
    const QStringList people = {"王芳", "李伟", "张敏", "刘洋", "陈静", "杨磊", "赵军", "黄丽"};
    QRandomGenerator random(20081005);
    WriteTransaction transaction(db);
    QSqlQuery q(db);
    q.prepare("insert into title (cid, 发票号码, 开票日期, 中文日期, 购货单位名称, 购货单位银行, "
              "购货单位地址, 购货纳税人识别号, 收款人, 备注, 小写金额, 是否收款, 位数) "
              "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (int cid = 1; cid <= invoices; ++cid) {
        const QString city = pick(random, cities);
        const QString company =
            city + pick(random, words) + pick(random, words) + pick(random, trades) + "有限公司";
        q.addBindValue(cid);
        q.addBindValue(digits(random, 8));
        q.addBindValue(QString("2009-%1-%2")
                           .arg(1 + cid % 12, 2, 10, QChar('0'))
                           .arg(1 + cid % 28, 2, 10, QChar('0')));
        q.addBindValue(QString("2009年%1月%2日")
                           .arg(1 + cid % 12, 2, 10, QChar('0'))
                           .arg(1 + cid % 28, 2, 10, QChar('0')));
        q.addBindValue(company);
        q.addBindValue(city + "分行" + pick(random, banks) + " " + digits(random, 19));
        q.addBindValue(city + "市" + pick(random, words) + "路" +
                       QString::number(random.bounded(1, 999)) + "号 0" + digits(random, 10));
        q.addBindValue(QString("91") + digits(random, 16));
        q.addBindValue(pick(random, people));
        q.addBindValue(random.bounded(10) == 0 ? QVariant(QString("加急 Urgent")) : QVariant());
        q.addBindValue(QString::number(random.bounded(1, 100000000) / 100.0, 'f', 2));
        q.addBindValue(random.bounded(2));
        q.addBindValue(random.bounded(2) ? "84位" : "108位");
        if (!q.exec())
            qFatal("fill failed");
    }
    transaction.commit();
}

struct Timing {
    QString text;
    double ms;
    int rows;
    double likeOnlyMs;
};

// The same search opened with the LIKE test alone, without the index narrowing it first.
double likeOnlyMilliseconds(const QSqlDatabase& db, const QString& text) {
    RowSet rows(db, InvoiceSearch::sqlLines().join('\n'));
    for (const QString& name : InvoiceSearch::parameterNames())
        rows.setParam(name, InvoiceSearch::pattern(text));
    QElapsedTimer clock;
    clock.start();
    rows.open();
    return clock.nsecsElapsed() / 1e6;
}

double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

// The search SQL with its patterns written in, as the sqlite3 shell would run it.
QString literalSearchSql(const QString& text) {
    QString sql = InvoiceSearch::sqlLines().join('\n');
    const QString quoted = "'" + QString(InvoiceSearch::pattern(text)).replace("'", "''") + "'";
    for (const QString& name : InvoiceSearch::parameterNames())
        sql.replace(QRegularExpression(":" + name + "\\b"), quoted);
    return sql;
}

double shellMilliseconds(const QString& file, const QString& sql) {
    QProcess shell;
    shell.start("sqlite3", {file});
    shell.write((".output /dev/null\n.timer on\n" + sql + ";\n").toUtf8());
    shell.closeWriteChannel();
    shell.waitForFinished(-1);
    const QString report = QString::fromUtf8(shell.readAllStandardOutput());
    const QRegularExpression real("Run Time: real ([0-9.]+)");
    const auto match = real.match(report);
    return match.hasMatch() ? match.captured(1).toDouble() * 1000 : -1;
}

struct Background {
    double allReadMs = 0;      // keystroke to the last row read
    double longestSliceMs = 0; // longest the event loop was busy with one chunk
};

Background readInBackground(RowSet& rows, QElapsedTimer& sinceKeystroke) {
    Background b;
    QElapsedTimer slice;
    while (rows.isFetching()) {
        slice.start();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        b.longestSliceMs = std::max(b.longestSliceMs, slice.nsecsElapsed() / 1e6);
    }
    b.allReadMs = sinceKeystroke.nsecsElapsed() / 1e6;
    return b;
}

QString medianAndWorst(const QList<double>& values) {
    return "median " + QString::number(median(values), 'f', 1) + " ms, worst " +
           QString::number(*std::max_element(values.begin(), values.end()), 'f', 1) + " ms";
}

// Typing with the first rows read at open and the rest from the event loop.
void typeIncrementally(const QSqlDatabase& db, const QStringList& typed) {
    constexpr int FirstRows = 300;
    RowSet titleqry(db, InvoiceSearch::initialSql());
    titleqry.setIncrementalFetch(FirstRows);
    RowSet detailqry(db, "select * from detail where cid=:cid");
    InvoiceRegister reg(db, &titleqry, &detailqry);
    reg.open();
    QElapsedTimer clock;
    clock.start();
    readInBackground(titleqry, clock);

    out << "\nincremental list (first " << FirstRows << " rows at open)\n"
        << "keystroke\trows\tcontrol back ms\tall rows read ms\tlongest chunk ms\n";
    QList<double> back, allRead, slices;
    for (const QString& text : typed) {
        clock.restart();
        reg.lcEditChange(text);
        const double ms = clock.nsecsElapsed() / 1e6;
        const Background b = readInBackground(titleqry, clock);
        back << ms;
        allRead << b.allReadMs;
        slices << b.longestSliceMs;
        out << (text.isEmpty() ? "(empty)" : text) << '\t' << titleqry.rowCount() << '\t'
            << QString::number(ms, 'f', 1) << '\t' << QString::number(b.allReadMs, 'f', 1) << '\t'
            << QString::number(b.longestSliceMs, 'f', 1) << '\n';
    }
    out << "control back per keystroke: " << medianAndWorst(back) << '\n'
        << "all rows read in the background: " << medianAndWorst(allRead) << '\n'
        << "longest chunk between keystrokes: " << medianAndWorst(slices) << '\n';
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int invoices = argc > 1 ? QString(argv[1]).toInt() : 100000;
    QTemporaryDir dir;
    // A folder given as second argument keeps the filled file for a look with sqlite3.
    const QString folder = argc > 2 ? QString(argv[2]) : dir.path();
    Database database(folder);
    const QSqlDatabase db = database.connection();

    QElapsedTimer clock;
    clock.start();
    fill(db, invoices);
    out << "invoices: " << invoices << ", filled in " << clock.elapsed() << " ms\n";

    RowSet titleqry(db, InvoiceSearch::initialSql());
    RowSet detailqry(db, "select * from detail where cid=:cid");
    InvoiceRegister reg(db, &titleqry, &detailqry);
    clock.restart();
    reg.open();
    out << "initial list: " << clock.elapsed() << " ms, " << titleqry.rowCount() << " rows\n";

    // Typing a buyer name, correcting it, then an invoice number fragment and a Latin word.
    const QStringList typed = {"北京", "北京华", "北京华新", "北京华", "北京",    "北", "",
                               "1",    "12",     "123",      "1234",   "12345",   "u",  "ur",
                               "urg",  "urge",   "%",        "a_b",    "有限公司"};
    QList<Timing> timings;
    QList<double> all;
    for (const QString& text : typed) {
        clock.restart();
        reg.lcEditChange(text);
        const double ms = clock.nsecsElapsed() / 1e6;
        timings << Timing{text, ms, titleqry.rowCount(), likeOnlyMilliseconds(db, text)};
        all << ms;
    }
    out << "\nkeystroke\trows\tregister ms\tLIKE alone, row set ms\tLIKE alone, sqlite3 shell ms\n";
    for (const Timing& t : timings)
        out << (t.text.isEmpty() ? "(empty)" : t.text) << '\t' << t.rows << '\t'
            << QString::number(t.ms, 'f', 1) << '\t' << QString::number(t.likeOnlyMs, 'f', 1)
            << '\t'
            << QString::number(shellMilliseconds(database.filePath(), literalSearchSql(t.text)),
                               'f', 1)
            << '\n';
    out << "search per keystroke: median " << QString::number(median(all), 'f', 1) << " ms, worst "
        << QString::number(*std::max_element(all.begin(), all.end()), 'f', 1) << " ms\n";

    reg.open();
    clock.restart();
    reg.DBGridEh2TitleBtnClick("购货单位名称");
    out << "\nsort " << titleqry.rowCount() << " rows by 购货单位名称 (pinyin): " << clock.elapsed()
        << " ms\n";
    clock.restart();
    reg.DBGridEh2TitleBtnClick("购货单位名称");
    out << "sort descending: " << clock.elapsed() << " ms\n";
    clock.restart();
    reg.DBGridEh2TitleBtnClick("开票日期");
    out << "sort by 开票日期: " << clock.elapsed() << " ms\n";

    typeIncrementally(db, typed);
    return 0;
}
