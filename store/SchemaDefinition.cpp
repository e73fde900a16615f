#include "SchemaDefinition.h"

namespace {

ColumnDefinition text(const QString& name, int maxLength = 0) {
    return {name, ColumnType::Text, maxLength};
}
ColumnDefinition typed(const QString& name, ColumnType type) {
    return {name, type};
}
ColumnDefinition key(const QString& name, ColumnType type) {
    return {name, type, 0, true};
}
ColumnDefinition hiddenKey() {
    return {SchemaDefinition::hiddenKeyName(), ColumnType::AutoNumber, 0, true, true};
}

TableDefinition title() {
    TableDefinition t{QStringLiteral("title"), {}};
    t.columns = {key(QStringLiteral("cid"), ColumnType::Integer), text(QStringLiteral("发票号码")),
                 typed(QStringLiteral("开票日期"), ColumnType::Date),
                 text(QStringLiteral("中文日期")), text(QStringLiteral("检验码"))};
    for (int i = 1; i <= 8; ++i)
        t.columns << text(QStringLiteral("密码%1").arg(i));
    for (const char* name :
         {"位数", "购货单位名称", "购货纳税人识别号", "购货单位地址", "购货单位银行",
          "销货单位名称", "销货纳税人识别号", "销货单位地址", "销货单位银行", "备注", "备注1",
          "备注2", "备注3", "备注4", "收款人", "复核", "开票人", "大写金额"})
        t.columns << text(QString::fromUtf8(name));
    t.columns << typed(QStringLiteral("小写金额"), ColumnType::Currency)
              << typed(QStringLiteral("是否收款"), ColumnType::YesNo)
              << typed(QStringLiteral("含税单价"), ColumnType::YesNo)
              << typed(QStringLiteral("是否打印格式"), ColumnType::YesNo)
              << text(QStringLiteral("oth1")) << text(QStringLiteral("oth2"))
              << text(QStringLiteral("oth3"));
    return t;
}

TableDefinition detail() {
    return {QStringLiteral("detail"),
            {key(QStringLiteral("id"), ColumnType::AutoNumber),
             typed(QStringLiteral("cid"), ColumnType::Integer),
             text(QStringLiteral("货物应税名称"), 250), text(QStringLiteral("规格型号"), 50),
             text(QStringLiteral("单位"), 20), typed(QStringLiteral("数量"), ColumnType::Double),
             typed(QStringLiteral("单价"), ColumnType::Double),
             typed(QStringLiteral("金额"), ColumnType::Currency),
             typed(QStringLiteral("税率"), ColumnType::Double),
             typed(QStringLiteral("税额"), ColumnType::Currency), text(QStringLiteral("其它1"), 50),
             text(QStringLiteral("其它2"), 50), text(QStringLiteral("其它3"), 50),
             typed(QStringLiteral("其它4"), ColumnType::Double),
             typed(QStringLiteral("其它5"), ColumnType::Double),
             typed(QStringLiteral("其它6"), ColumnType::Double)}};
}

TableDefinition party(const QString& name) {
    return {name,
            {text(QStringLiteral("单位名称")), text(QStringLiteral("纳税人识别号")),
             text(QStringLiteral("地址电话")), text(QStringLiteral("开户行及帐号")), hiddenKey()}};
}

TableDefinition goods() {
    return {QStringLiteral("sp"),
            {key(QStringLiteral("编号"), ColumnType::AutoNumber), text(QStringLiteral("商品编号")),
             text(QStringLiteral("名称")), text(QStringLiteral("产地")),
             text(QStringLiteral("规格型号")), text(QStringLiteral("单位")),
             typed(QStringLiteral("单价"), ColumnType::Double),
             typed(QStringLiteral("含税单价"), ColumnType::Double)}};
}

TableDefinition users() {
    return {QStringLiteral("usertable"),
            {text(QStringLiteral("用户")), text(QStringLiteral("密码")),
             typed(QStringLiteral("提示"), ColumnType::YesNo), hiddenKey()}};
}

TableDefinition printSettings(const QString& name) {
    return {name, {text(QStringLiteral("spare"))}};
}

TableDefinition reportWork(const QString& name) {
    return {name,
            {typed(QStringLiteral("cid"), ColumnType::Integer), text(QStringLiteral("hcom")),
             typed(QStringLiteral("tje"), ColumnType::Currency)}};
}

QVector<TableDefinition> build() {
    return {title(),
            detail(),
            party(QStringLiteral("购货单位")),
            party(QStringLiteral("销货单位")),
            goods(),
            users(),
            {QStringLiteral("fpdz"), {text(QStringLiteral("fpdz")), hiddenKey()}},
            printSettings(QStringLiteral("fpset1")),
            printSettings(QStringLiteral("fpset2")),
            printSettings(QStringLiteral("fpset3")),
            reportWork(QStringLiteral("qry1")),
            reportWork(QStringLiteral("qry3"))};
}

} // namespace

const ColumnDefinition* TableDefinition::column(const QString& name) const {
    for (const ColumnDefinition& c : columns)
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

const ColumnDefinition* TableDefinition::keyColumn() const {
    for (const ColumnDefinition& c : columns)
        if (c.key)
            return &c;
    return nullptr;
}

const QVector<TableDefinition>& SchemaDefinition::tables() {
    static const QVector<TableDefinition> all = build();
    return all;
}

const TableDefinition* SchemaDefinition::table(const QString& name) {
    for (const TableDefinition& t : tables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

QString SchemaDefinition::hiddenKeyName() {
    return QStringLiteral("rid");
}
