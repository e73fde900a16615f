#include "InvoiceSearch.h"

#include "RowSet.h"

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

QString pattern(const QString& text) {
    return u'%' + text + u'%';
}

void run(RowSet& titleqry, const QString& text) {
    titleqry.close();
    titleqry.setSql(sqlLines().join(u'\n'));
    const QString p = pattern(text);
    for (const QString& name : parameterNames())
        titleqry.setParam(name, p);
    titleqry.open();
}

} // namespace InvoiceSearch
