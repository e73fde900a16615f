#include "Currency.h"

#include "DbError.h"

#include <cmath>

Currency Currency::fromDouble(double yuan) {
    return fromLongDouble(yuan);
}

Currency Currency::fromLongDouble(long double yuan) {
    // Out of range (or not a number at all) would otherwise come back as a huge wrong amount.
    const long double units = yuan * Scale;
    if (!std::isfinite(units) || std::fabs(units) >= 9.2e18L)
        throw DbError(QStringLiteral("数值 %1 不能作为金额").arg(double(yuan), 0, 'g', 15));
    return Currency(std::int64_t(std::llroundl(units)));
}

std::optional<Currency> Currency::parse(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    int i = 0;
    bool negative = false;
    if (t[i] == u'-' || t[i] == u'+') {
        negative = t[i] == u'-';
        ++i;
    }
    std::int64_t whole = 0;
    int wholeDigits = 0;
    while (i < t.size() && t[i].isDigit()) {
        if (whole > (INT64_MAX / Scale - t[i].digitValue()) / 10)
            return std::nullopt;
        whole = whole * 10 + t[i].digitValue();
        ++i;
        ++wholeDigits;
    }
    std::int64_t frac = 0;
    int fracDigits = 0;
    bool roundUp = false;
    if (i < t.size() && t[i] == u'.') {
        ++i;
        while (i < t.size() && t[i].isDigit()) {
            if (fracDigits < 4)
                frac = frac * 10 + t[i].digitValue();
            else if (fracDigits == 4)
                roundUp = t[i].digitValue() >= 5;
            ++fracDigits;
            ++i;
        }
    }
    if (i != t.size() || (wholeDigits == 0 && fracDigits == 0))
        return std::nullopt;
    for (int d = std::min(fracDigits, 4); d < 4; ++d)
        frac *= 10;
    if (whole == INT64_MAX / Scale && frac + (roundUp ? 1 : 0) > INT64_MAX % Scale)
        return std::nullopt;
    std::int64_t units = whole * Scale + frac + (roundUp ? 1 : 0);
    return Currency(negative ? -units : units);
}

QString Currency::toPlainString() const {
    const std::uint64_t magnitude =
        units_ < 0 ? std::uint64_t(-(units_ + 1)) + 1 : std::uint64_t(units_);
    QString s = QString::number(magnitude / Scale);
    std::uint64_t frac = magnitude % Scale;
    if (frac != 0) {
        QString f = QString::number(frac).rightJustified(4, u'0');
        while (f.endsWith(u'0'))
            f.chop(1);
        s += u'.' + f;
    }
    return units_ < 0 ? u'-' + s : s;
}

QString Currency::toFixed2() const {
    const std::int64_t sign = units_ < 0 ? -1 : 1;
    const std::uint64_t magnitude =
        units_ < 0 ? std::uint64_t(-(units_ + 1)) + 1 : std::uint64_t(units_);
    const std::uint64_t cents = (magnitude + 50) / 100;
    QString s =
        QString::number(cents / 100) + u'.' + QString::number(cents % 100).rightJustified(2, u'0');
    return (sign < 0 && cents != 0) ? u'-' + s : s;
}
