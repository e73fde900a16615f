#include "InvoiceCommandLine.h"

#include "AmountInCapitals.h"
#include "DbError.h"
#include "InvoiceSearch.h"
#include "RowSet.h"
#include "TitleSort.h"
#include "ValueText.h"

#include <QLocale>
#include <cmath>
#include <optional>

namespace InvoiceCommandLine {

namespace {

struct ListOptions {
    std::optional<QString> search;
    QString sortColumn;
    bool descending = false;
};

ListOptions parseListOptions(const QStringList& arguments) {
    ListOptions options;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (a == QStringLiteral("--search") && hasValue)
            options.search = arguments[++i];
        else if (a == QStringLiteral("--sort") && hasValue)
            options.sortColumn = arguments[++i];
        else if (a == QStringLiteral("--desc"))
            options.descending = true;
        else if (a == QStringLiteral("--search") || a == QStringLiteral("--sort"))
            throw DbError(QStringLiteral("%1 后面缺少参数。").arg(a));
        else
            throw DbError(QStringLiteral("无法识别的参数“%1”。用法：list [--search 文字] "
                                         "[--sort 列名 [--desc]]")
                              .arg(a));
    }
    if (options.descending && options.sortColumn.isEmpty())
        throw DbError(QStringLiteral("--desc 只能与 --sort 一起使用。"));
    return options;
}

void sortList(RowSet& titleqry, const QString& column, bool descending) {
    if (!titleqry.hasColumn(column))
        throw DbError(QStringLiteral("发票列表中没有列“%1”。").arg(column));
    if (!TitleSort::isSortable(column))
        throw DbError(QStringLiteral("列“%1”不能排序。").arg(column));
    TitleSort::sort(titleqry, column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

QString cell(const RowSet& titleqry, int row, const QString& column) {
    QString text = ValueText::display(titleqry.value(row, column));
    // One invoice per line, one field per tab.
    text.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' ');
    return text;
}

} // namespace

int capitals(const QStringList& amounts, QTextStream& out, QTextStream& err) {
    if (amounts.isEmpty()) {
        err << QStringLiteral("用法：capitals 金额...") << Qt::endl;
        return 1;
    }
    QList<double> values;
    for (const QString& text : amounts) {
        bool ok = false;
        const double value = QLocale::c().toDouble(text.trimmed(), &ok);
        if (!ok || !std::isfinite(value)) {
            err << QStringLiteral("“%1”不是数字。").arg(text) << Qt::endl;
            return 1;
        }
        values << value;
    }
    for (double value : values)
        out << AmountInCapitals(value) << Qt::endl;
    return 0;
}

int list(QSqlDatabase db, const QStringList& arguments, QTextStream& out, QTextStream& err) {
    try {
        const ListOptions options = parseListOptions(arguments);
        RowSet titleqry(db, InvoiceSearch::initialSql());
        if (options.search)
            InvoiceSearch::run(titleqry, db, *options.search);
        else
            titleqry.open();
        if (!options.sortColumn.isEmpty())
            sortList(titleqry, options.sortColumn, options.descending);
        const QStringList columns = {QStringLiteral("cid"),      QStringLiteral("发票号码"),
                                     QStringLiteral("开票日期"), QStringLiteral("购货单位名称"),
                                     QStringLiteral("小写金额"), QStringLiteral("是否收款")};
        for (int row = 0; row < titleqry.rowCount(); ++row) {
            QStringList fields;
            for (const QString& column : columns)
                fields << cell(titleqry, row, column);
            out << fields.join(u'\t') << u'\n';
        }
        out.flush();
        return 0;
    } catch (const DbError& e) {
        err << e.message() << Qt::endl;
        return 1;
    }
}

} // namespace InvoiceCommandLine
