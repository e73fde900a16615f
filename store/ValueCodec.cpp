#include "ValueCodec.h"

#include "Currency.h"
#include "DbError.h"

#include <QDate>
#include <QDateTime>
#include <cmath>

namespace {

bool isNull(const QVariant& v) {
    return !v.isValid() || v.isNull();
}

bool isCurrency(const QVariant& v) {
    return v.typeId() == qMetaTypeId<Currency>();
}

bool isWhole(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

DbError notA(const QString& what, const QVariant& value, const QString& column) {
    return DbError(
        QStringLiteral("“%1”不是有效的%2（字段 %3）").arg(value.toString(), what, column));
}

QString asText(const QVariant& v) {
    if (isCurrency(v))
        return v.value<Currency>().toPlainString();
    switch (v.typeId()) {
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'g', 15);
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDate:
        return v.toDate().toString(Qt::ISODate);
    default:
        return v.toString();
    }
}

std::optional<Currency> asCurrency(const QVariant& v) {
    if (isCurrency(v))
        return v.value<Currency>();
    if (isWhole(v))
        return Currency::fromUnits(v.toLongLong() * Currency::Scale);
    if (v.typeId() == QMetaType::Double)
        return std::isfinite(v.toDouble()) ? std::optional(Currency::fromDouble(v.toDouble()))
                                           : std::nullopt;
    return Currency::parse(v.toString());
}

std::optional<double> asDouble(const QVariant& v) {
    if (isCurrency(v))
        return v.value<Currency>().toDouble();
    if (isWhole(v) || v.typeId() == QMetaType::Double)
        return v.toDouble();
    bool ok = false;
    const double d = v.toString().trimmed().toDouble(&ok);
    return ok ? std::optional(d) : std::nullopt;
}

std::optional<qint64> asInteger(const QVariant& v) {
    if (isWhole(v))
        return v.toLongLong();
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? 1 : 0;
    if (v.typeId() == QMetaType::Double) {
        const double d = v.toDouble();
        return std::isfinite(d) ? std::optional(qint64(std::llround(d))) : std::nullopt;
    }
    bool ok = false;
    const qint64 n = v.toString().trimmed().toLongLong(&ok);
    return ok ? std::optional(n) : std::nullopt;
}

std::optional<bool> asBool(const QVariant& v) {
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (isWhole(v) || v.typeId() == QMetaType::Double)
        return v.toDouble() != 0;
    const QString t = v.toString().trimmed().toLower();
    if (t == u"true" || t == u"1" || t == u"yes")
        return true;
    if (t == u"false" || t == u"0" || t == u"no")
        return false;
    return std::nullopt;
}

std::optional<QDate> asDate(const QVariant& v) {
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    const QString t = v.toString().trimmed();
    const QDate d = QDate::fromString(t.left(10), Qt::ISODate);
    if (!d.isValid() || (t.size() > 10 && t[10] != u' ' && t[10] != u'T'))
        return std::nullopt;
    return d;
}

template <typename T> QVariant wrap(const std::optional<T>& v) {
    return v ? QVariant::fromValue(*v) : QVariant();
}

} // namespace

QVariant ValueCodec::fromStorage(const QVariant& stored, ColumnType type) {
    if (isNull(stored))
        return {};
    QVariant v;
    switch (type) {
    case ColumnType::Text:
        return stored.typeId() == QMetaType::QString ? stored : QVariant(asText(stored));
    case ColumnType::Integer:
    case ColumnType::AutoNumber:
        v = wrap(asInteger(stored));
        break;
    case ColumnType::Double:
        v = wrap(asDouble(stored));
        break;
    case ColumnType::Currency:
        v = wrap(asCurrency(stored));
        break;
    case ColumnType::YesNo:
        v = wrap(asBool(stored));
        break;
    case ColumnType::Date:
        v = wrap(asDate(stored));
        break;
    case ColumnType::Untyped:
        return stored.typeId() == QMetaType::LongLong || stored.typeId() == QMetaType::Double ||
                       stored.typeId() == QMetaType::QString
                   ? stored
                   : QVariant(stored.toString());
    }
    if (!v.isValid())
        throw DbError(QStringLiteral("数据库中的值“%1”无法按字段类型读取").arg(stored.toString()));
    return v;
}

QVariant ValueCodec::toStorage(const QVariant& value, SqlDialect::Engine engine) {
    if (isNull(value))
        return {};
    if (isCurrency(value))
        return value.value<Currency>().toPlainString();
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().toString(Qt::ISODate);
    if (value.typeId() == QMetaType::Bool && engine == SqlDialect::Engine::SQLite)
        return value.toBool() ? 1 : 0;
    return value;
}

QVariant ValueCodec::assign(const QVariant& value, ColumnType type, int maxLength,
                            const QString& column) {
    if (isNull(value))
        return {};
    const bool emptyText = value.typeId() == QMetaType::QString && value.toString().isEmpty();
    if (emptyText && type != ColumnType::Text && type != ColumnType::Untyped)
        return {};
    QVariant v;
    QString what;
    switch (type) {
    case ColumnType::Text:
    case ColumnType::Untyped: {
        const QString text = asText(value);
        if (maxLength > 0 && text.size() > maxLength)
            throw DbError(QStringLiteral("字段 %1 最多可容纳 %2 个字符，输入的文字有 %3 个")
                              .arg(column)
                              .arg(maxLength)
                              .arg(text.size()));
        return text;
    }
    case ColumnType::Integer:
    case ColumnType::AutoNumber:
        v = wrap(asInteger(value));
        what = QStringLiteral("整数");
        break;
    case ColumnType::Double:
        v = wrap(asDouble(value));
        what = QStringLiteral("数值");
        break;
    case ColumnType::Currency:
        v = wrap(asCurrency(value));
        what = QStringLiteral("金额");
        break;
    case ColumnType::YesNo:
        v = wrap(asBool(value));
        what = QStringLiteral("是/否值");
        break;
    case ColumnType::Date:
        v = wrap(asDate(value));
        what = QStringLiteral("日期");
        break;
    }
    if (!v.isValid())
        throw notA(what, value, column);
    return v;
}

int ValueCodec::metaType(ColumnType type) {
    switch (type) {
    case ColumnType::Integer:
    case ColumnType::AutoNumber:
        return QMetaType::LongLong;
    case ColumnType::Double:
        return QMetaType::Double;
    case ColumnType::Currency:
        return qMetaTypeId<Currency>();
    case ColumnType::YesNo:
        return QMetaType::Bool;
    case ColumnType::Date:
        return QMetaType::QDate;
    default:
        return QMetaType::QString;
    }
}
