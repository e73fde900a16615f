#include "InvoiceSearch.h"

#include "RowSet.h"

#include <QRegularExpression>

namespace InvoiceSearch {

QString initialSql() {
    return QStringLiteral("select * from title order by cid desc");
}

QStringList sqlLines() {
    return {
        QStringLiteral("select * from title"),
        QStringLiteral("where 发票号码 like :idno or 购货单位名称 like :comp or 购货单位银行 like "
                       ":hc or 购货单位地址 like :bl or 购货纳税人识别号 like :lp"),
        QStringLiteral(" or 收款人 like :dp or 备注 like :mp"),
        QStringLiteral("ORDER BY cid desc"),
    };
}

QStringList parameterNames() {
    return {QStringLiteral("idno"), QStringLiteral("comp"), QStringLiteral("hc"),
            QStringLiteral("bl"),   QStringLiteral("lp"),   QStringLiteral("dp"),
            QStringLiteral("mp")};
}

QStringList searchedColumns() {
    return {QStringLiteral("发票号码"),
            QStringLiteral("购货单位名称"),
            QStringLiteral("购货单位银行"),
            QStringLiteral("购货单位地址"),
            QStringLiteral("购货纳税人识别号"),
            QStringLiteral("收款人"),
            QStringLiteral("备注")};
}

QStringList indexedSqlLines() {
    const QStringList plain = sqlLines();
    QString likeTests = plain[1];
    likeTests.remove(0, QStringLiteral("where ").size());
    return {
        plain[0],
        QStringLiteral("where cid in (select rowid from %1 where %1 match :%2)")
            .arg(indexTable(), indexParameter()),
        QStringLiteral("and (") + likeTests,
        plain[2] + u')',
        plain[3],
    };
}

QString indexParameter() {
    return QStringLiteral("words");
}

QString indexTable() {
    return QStringLiteral("title_search");
}

QString pattern(const QString& text) {
    return u'%' + text + u'%';
}

std::optional<QString> indexQuery(const QString& text) {
    static const QRegularExpression wildcards(QStringLiteral("[%_]"));
    QStringList phrases;
    for (QString piece : text.split(wildcards, Qt::SkipEmptyParts)) {
        // The index holds three-character pieces; shorter stretches cannot be looked up.
        if (piece.toUcs4().size() >= 3)
            phrases << u'"' + piece.replace(u'"', QStringLiteral("\"\"")) + u'"';
    }
    if (phrases.isEmpty())
        return std::nullopt;
    return phrases.join(QStringLiteral(" AND "));
}

bool indexAvailable(const QSqlDatabase& db) {
    return db.driverName() == QStringLiteral("QSQLITE") && db.tables().contains(indexTable());
}

Statement statement(const QSqlDatabase& db, const QString& text) {
    Statement s;
    const QString p = pattern(text);
    for (const QString& name : parameterNames())
        s.params.insert(name, p);
    const std::optional<QString> words = indexQuery(text);
    if (words && indexAvailable(db)) {
        s.lines = indexedSqlLines();
        s.params.insert(indexParameter(), *words);
    } else {
        s.lines = sqlLines();
    }
    return s;
}

void run(RowSet& titleqry, const QSqlDatabase& db, const QString& text) {
    const Statement s = statement(db, text);
    titleqry.close();
    titleqry.setSql(s.lines.join(u'\n'));
    for (auto it = s.params.begin(); it != s.params.end(); ++it)
        titleqry.setParam(it.key(), it.value());
    titleqry.open();
}

} // namespace InvoiceSearch
