#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

// Runs statements outside a row set: the fills and clean-ups of reports, schema steps.
class SqlCommand {
public:
    // One statement in the Jet dialect with named parameters (":name", looked up without regard
    // to case; a missing one is null). Returns the number of rows changed. Throws DbError.
    static int execute(const QSqlDatabase& db, const QString& jetSql,
                       const QVariantHash& params = {});
    // One statement already in this engine's SQL, values bound to its "?" in order.
    static QSqlQuery run(const QSqlDatabase& db, const QString& sql,
                         const QVariantList& values = {});
    // The values of `params` for the parameter names of a translated statement, in order, as
    // the engine stores them (names compared without regard to case; a missing one is null).
    static QVariantList bindValues(const QSqlDatabase& db, const QStringList& names,
                                   const QVariantHash& params);
};
