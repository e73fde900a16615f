#include "SqlCommand.h"

#include "DbError.h"
#include "SqlDialect.h"
#include "ValueCodec.h"

#include <QSqlError>

namespace {

DbError failure(const QSqlDatabase& db, const QSqlQuery& q, const QString& sql) {
    const QString reason = q.lastError().isValid() ? q.lastError().text() : db.lastError().text();
    return DbError(QStringLiteral("数据库操作失败：%1\n语句：%2").arg(reason.trimmed(), sql));
}

} // namespace

QVariantList SqlCommand::bindValues(const QSqlDatabase& db, const QStringList& names,
                                    const QVariantHash& params) {
    QVariantHash byLowerName;
    for (auto it = params.begin(); it != params.end(); ++it) {
        QString name = it.key().startsWith(u':') ? it.key().mid(1) : it.key();
        byLowerName.insert(name.toLower(), it.value());
    }
    const auto engine = SqlDialect::forDatabase(db).engine();
    QVariantList values;
    for (const QString& name : names)
        values << ValueCodec::toStorage(byLowerName.value(name.toLower()), engine);
    return values;
}

int SqlCommand::execute(const QSqlDatabase& db, const QString& jetSql, const QVariantHash& params) {
    const auto t = SqlDialect::forDatabase(db).translate(jetSql);
    QSqlQuery q = run(db, t.sql, bindValues(db, t.parameterNames, params));
    const int changed = q.numRowsAffected();
    q.finish();
    return changed;
}

QSqlQuery SqlCommand::run(const QSqlDatabase& db, const QString& sql, const QVariantList& values) {
    if (!db.isOpen())
        throw DbError(QStringLiteral("数据库没有打开：%1").arg(db.databaseName()));
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw failure(db, q, sql);
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec())
        throw failure(db, q, sql);
    return q;
}
