#include "NumberText.h"

#include "DecimalDigits.h"

#include <cmath>

namespace {

constexpr int SignificantDigits = 15;

QString zeros(int count) {
    return QString(qMax(count, 0), u'0');
}

QString plainText(const DecimalDigits& d) {
    const QString digits = QString::fromLatin1(d.digits());
    const int point = d.pointPosition();
    if (point <= 0)
        return QStringLiteral("0.") + zeros(-point) + digits;
    if (digits.size() <= point)
        return digits + zeros(point - digits.size());
    return digits.left(point) + u'.' + digits.mid(point);
}

QString exponentText(const DecimalDigits& d) {
    const QString digits = QString::fromLatin1(d.digits());
    QString s = digits.left(1);
    if (digits.size() > 1)
        s += u'.' + digits.mid(1);
    return s + u'E' + QString::number(d.pointPosition() - 1);
}

QString generalText(const DecimalDigits& exact) {
    const DecimalDigits d = exact.roundedToSignificant(SignificantDigits);
    if (d.isZero())
        return QStringLiteral("0");
    const bool tiny = d.pointPosition() - 1 < -4;
    const bool huge = d.pointPosition() > SignificantDigits;
    const QString body = (tiny || huge) ? exponentText(d) : plainText(d);
    return d.isNegative() ? u'-' + body : body;
}

QString twoDecimalText(const DecimalDigits& exact) {
    const DecimalDigits d = exact.roundedToDecimals(2);
    const QString digits = QString::fromLatin1(d.digits());
    // Scale to whole hundredths: digits followed by the zeros up to the second decimal.
    const int hundredthsDigits = d.pointPosition() + 2;
    QString hundredths =
        d.isZero() ? QStringLiteral("0") : digits + zeros(hundredthsDigits - digits.size());
    hundredths = hundredths.rightJustified(3, u'0');
    const QString body = hundredths.left(hundredths.size() - 2) + u'.' + hundredths.right(2);
    return d.isNegative() ? u'-' + body : body;
}

QString nonFinite(double value) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

DecimalDigits exactDigits(Currency value) {
    // toPlainString is exact, so the parse cannot fail.
    return *DecimalDigits::fromText(value.toPlainString());
}

} // namespace

QString NumberText::general(double value) {
    if (!std::isfinite(value))
        return nonFinite(value);
    return generalText(DecimalDigits::fromDouble(value));
}

QString NumberText::general(Currency value) {
    return generalText(exactDigits(value));
}

QString NumberText::twoDecimals(double value) {
    if (!std::isfinite(value))
        return nonFinite(value);
    return twoDecimalText(DecimalDigits::fromDouble(value).roundedToSignificant(SignificantDigits));
}

QString NumberText::twoDecimals(Currency value) {
    return twoDecimalText(exactDigits(value));
}

std::optional<QString> NumberText::twoDecimalsOfText(const QString& text) {
    const std::optional<DecimalDigits> d = DecimalDigits::fromText(text);
    if (!d)
        return std::nullopt;
    return twoDecimalText(*d);
}
