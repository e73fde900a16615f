#include "InvoicePrintSource.h"

#include "DbError.h"
#include "RowSet.h"
#include "ValueText.h"

namespace InvoicePrintSource {

namespace {

QHash<QString, QVariant> currentValues(const RowSet& rows) {
    QHash<QString, QVariant> values;
    for (const QString& column : rows.columns())
        values.insert(column, rows.value(column));
    return values;
}

QHash<QString, QString> shownTexts(const RowSet& rows) {
    QHash<QString, QString> texts;
    for (const QString& column : rows.columns())
        texts.insert(column, ValueText::display(rows.value(column)));
    return texts;
}

} // namespace

QList<PrintLine> readLines(RowSet& detailqry) {
    QList<PrintLine> lines;
    if (!detailqry.isOpen() || detailqry.isEmpty())
        return lines;
    detailqry.first();
    for (int row = 0; row < detailqry.rowCount(); ++row) {
        detailqry.moveTo(row);
        lines << PrintLine::fromColumns(currentValues(detailqry));
    }
    return lines;
}

InvoicePrintInput fromDatabase(QSqlDatabase db, qint64 cid) {
    RowSet title(db, QStringLiteral("select * from title where cid=:cid"));
    title.setParam(QStringLiteral("cid"), cid);
    title.open();
    if (title.isEmpty())
        throw DbError(QStringLiteral("没有 cid 为 %1 的发票").arg(cid));
    RowSet lines(db, QStringLiteral("select * from detail where cid=:cid order by id"));
    lines.setParam(QStringLiteral("cid"), cid);
    lines.open();
    RowSet picture(db, QStringLiteral("select * from fpdz"));
    picture.open();

    InvoicePrintInput input;
    input.header = PrintHeader::fromColumns(shownTexts(title));
    input.lines = readLines(lines);
    input.totals = PrintTotals::sumOf(input.lines);
    input.backgroundPicturePath =
        picture.isEmpty() ? QString() : picture.value(QStringLiteral("fpdz")).toString();
    input.printBackground = title.value(QStringLiteral("是否打印格式")).toBool();
    return input;
}

qint64 cidOfInvoiceNumber(QSqlDatabase db, const QString& number) {
    RowSet title(db, QStringLiteral("select cid from title where 发票号码=:no"));
    title.setParam(QStringLiteral("no"), number);
    title.open();
    if (title.isEmpty())
        throw DbError(QStringLiteral("没有发票号码为 %1 的发票").arg(number));
    if (title.rowCount() > 1)
        throw DbError(QStringLiteral("发票号码 %1 有 %2 张发票，请用 --cid 指定")
                          .arg(number)
                          .arg(title.rowCount()));
    return title.value(QStringLiteral("cid")).toLongLong();
}

} // namespace InvoicePrintSource
