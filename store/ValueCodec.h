#pragma once

#include "SchemaDefinition.h"
#include "SqlDialect.h"

#include <QVariant>

// Conversions between the program's typed values (QString, qint64, double, Currency, bool,
// QDate) and what the engine stores: money as plain decimal text, dates as 'YYYY-MM-DD',
// yes/no as 0/1.
class ValueCodec {
public:
    // A value read from the engine, typed by its column. Throws DbError for a value that cannot
    // be read as that type (a file changed by hand, for example).
    static QVariant fromStorage(const QVariant& stored, ColumnType type);
    // A typed value as bound to a statement.
    static QVariant toStorage(const QVariant& value, SqlDialect::Engine engine);
    // A value assigned by the program, converted to the column's type. Text given for a number,
    // amount, yes/no or date column is parsed; an empty text gives null. Throws DbError naming
    // the column when the value does not fit.
    static QVariant assign(const QVariant& value, ColumnType type, int maxLength,
                           const QString& column);
    // The QMetaType id values of the type carry.
    static int metaType(ColumnType type);
};
