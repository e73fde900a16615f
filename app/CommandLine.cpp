#include "CommandLine.h"

#include "DataFolder.h"
#include "Database.h"
#include "DbError.h"
#include "DefaultLayouts.h"
#include "InvoiceCommandLine.h"
#include "InvoicePrintEntry.h"
#include "InvoicePrintSource.h"
#include "PasswdCommand.h"
#include "PrintLayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <functional>
#include <map>

namespace CommandLine {

namespace {

struct Parsed {
    QString dataDir;
    QString command;
    QStringList rest;
    QString error;
};

Parsed parse(const QStringList& arguments) {
    Parsed p;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (p.command.isEmpty() && a == u"--data-dir") {
            if (i + 1 >= arguments.size()) {
                p.error = QStringLiteral("--data-dir 需要一个文件夹");
                return p;
            }
            p.dataDir = arguments[++i];
        } else if (p.command.isEmpty()) {
            p.command = a;
        } else {
            p.rest << a;
        }
    }
    return p;
}

using Command =
    std::function<int(const Parsed&, const QString& folder, QTextStream&, QTextStream&)>;

int init(const Parsed&, const QString& folder, QTextStream& out, QTextStream&) {
    Database db(folder);
    DefaultLayouts::ensure(folder);
    out << QStringLiteral("数据文件夹已就绪：%1\n").arg(QDir::toNativeSeparators(folder));
    return 0;
}

int check(const Parsed&, const QString& folder, QTextStream& out, QTextStream& err) {
    Database db(folder, Database::Creation::ExistingOnly);
    const QStringList faults = db.check();
    for (const QString& f : faults)
        err << f << '\n';
    if (faults.isEmpty())
        out << QStringLiteral("%1：正常\n").arg(db.filePath());
    return faults.isEmpty() ? 0 : 1;
}

int list(const Parsed& p, const QString& folder, QTextStream& out, QTextStream& err) {
    Database db(folder, Database::Creation::ExistingOnly);
    return InvoiceCommandLine::list(db.connection(), p.rest, out, err);
}

// Values of "--name value" options; a flag without value maps to "".
QHash<QString, QString> options(const QStringList& args, QString& error) {
    QHash<QString, QString> values;
    for (int i = 0; i < args.size(); ++i) {
        if (!args[i].startsWith(u"--") || i + 1 >= args.size()) {
            error = QStringLiteral("无法理解的参数：%1").arg(args[i]);
            return {};
        }
        values.insert(args[i].mid(2), args[i + 1]);
        ++i;
    }
    return values;
}

int print(const Parsed& p, const QString& folder, QTextStream& out, QTextStream& err) {
    QString error;
    const auto opts = options(p.rest, error);
    const auto layout = PrintLayout::fromShortName(opts.value(QStringLiteral("layout")));
    const QString pdf = opts.value(QStringLiteral("pdf"));
    const bool byNumber = opts.contains(QStringLiteral("invoice"));
    if (error.isEmpty() && (!layout || pdf.isEmpty() || byNumber == opts.contains("cid")))
        error = QStringLiteral("用法: fapiao print --layout p108|pa4108|p84|pa484 "
                               "(--invoice 号码 | --cid 编号) --pdf 文件");
    if (!error.isEmpty()) {
        err << error << '\n';
        return 2;
    }
    Database db(folder, Database::Creation::ExistingOnly);
    DefaultLayouts::ensure(folder);
    bool cidOk = true;
    const qint64 cid =
        byNumber ? InvoicePrintSource::cidOfInvoiceNumber(db.connection(), opts.value("invoice"))
                 : opts.value(QStringLiteral("cid")).toLongLong(&cidOk);
    if (!cidOk)
        throw DbError(QStringLiteral("“%1”不是有效的 cid").arg(opts.value("cid")));
    const InvoicePrintInput input = InvoicePrintSource::fromDatabase(db.connection(), cid);
    InvoicePrintEntry::printToPdf(*layout, input, folder, pdf);
    out << QStringLiteral("已输出：%1\n").arg(pdf);
    return 0;
}

int passwd(const Parsed& p, const QString& folder, QTextStream& out, QTextStream& err) {
    Database db(folder, Database::Creation::ExistingOnly);
    return PasswdCommand::run(db.connection(), p.rest, out, err);
}

const std::map<QString, Command>& commands() {
    static const std::map<QString, Command> table = {
        {QStringLiteral("init"), init},     {QStringLiteral("check"), check},
        {QStringLiteral("list"), list},     {QStringLiteral("print"), print},
        {QStringLiteral("passwd"), passwd},
    };
    return table;
}

} // namespace

QString usage() {
    return QStringLiteral(
        "用法: fapiao [--data-dir 文件夹] [命令 参数...]\n"
        "不带命令时打开程序窗口。\n\n"
        "  --version                 显示版本\n"
        "  --help                    显示本说明\n"
        "  init                      建立数据文件夹（数据库与默认设置）后退出\n"
        "  check                     检查数据库的每个表和字段，有问题时返回非零\n"
        "  capitals 金额...          把每个金额写成中文大写，一行一个\n"
        "  list [--search 文字] [--sort 列 [--desc]]\n"
        "                            "
        "列出发票：cid、发票号码、开票日期、购货单位名称、小写金额、是否收款\n"
        "  print --layout p108|pa4108|p84|pa484 (--invoice 号码 | --cid 编号) --pdf 文件\n"
        "                            按版式把发票输出为 PDF\n"
        "  passwd 用户               从标准输入读入新密码并保存其散列值\n");
}

bool wantsCommand(const QStringList& arguments) {
    return !parse(arguments).command.isEmpty();
}

QString dataDirOption(const QStringList& arguments) {
    return parse(arguments).dataDir;
}

int run(const QStringList& arguments, const QString& programFolder, QTextStream& out,
        QTextStream& err) {
    const Parsed p = parse(arguments);
    if (!p.error.isEmpty()) {
        err << p.error << '\n';
        return 2;
    }
    if (p.command == u"--version") {
        out << "fapiao " << QCoreApplication::applicationVersion() << '\n';
        return 0;
    }
    if (p.command == u"--help" || p.command == u"-h") {
        out << usage();
        return 0;
    }
    if (p.command == u"capitals")
        return InvoiceCommandLine::capitals(p.rest, out, err);
    const auto it = commands().find(p.command);
    if (it == commands().end()) {
        err << QStringLiteral("未知的命令：%1\n\n").arg(p.command) << usage();
        return 2;
    }
    try {
        return it->second(p, DataFolder::resolve(programFolder, p.dataDir), out, err);
    } catch (const DbError& e) {
        err << e.message() << '\n';
        return 1;
    }
}

} // namespace CommandLine
