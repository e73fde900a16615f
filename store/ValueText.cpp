#include "ValueText.h"

#include "Currency.h"
#include "DbError.h"

#include <QDate>

namespace ValueText {

QString display(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', 15);
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    default:
        break;
    }
    if (value.typeId() == qMetaTypeId<Currency>()) {
        const Currency c = value.value<Currency>();
        return c.units() % 100 == 0 ? c.toFixed2() : c.toPlainString();
    }
    return value.toString();
}

static DbError notValid(const QString& text) {
    return DbError(QStringLiteral("“%1”不是有效的数值").arg(text));
}

QVariant parse(const QString& text, int metaType) {
    if (text.isEmpty())
        return {};
    if (metaType == qMetaTypeId<Currency>()) {
        const auto c = Currency::parse(text);
        if (!c)
            throw notValid(text);
        return QVariant::fromValue(*c);
    }
    bool ok = true;
    QVariant v;
    switch (metaType) {
    case QMetaType::Double:
        v = text.trimmed().toDouble(&ok);
        break;
    case QMetaType::LongLong:
    case QMetaType::Int:
        v = text.trimmed().toLongLong(&ok);
        break;
    case QMetaType::Bool:
        ok = text == u"True" || text == u"False";
        v = text == u"True";
        break;
    case QMetaType::QDate:
        v = QDate::fromString(text.trimmed(), Qt::ISODate);
        ok = v.toDate().isValid();
        break;
    default:
        return text;
    }
    if (!ok)
        throw notValid(text);
    return v;
}

} // namespace ValueText
