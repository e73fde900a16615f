#include "DecimalDigits.h"

#include <cmath>
#include <cstdio>

DecimalDigits DecimalDigits::fromDouble(double value) {
    DecimalDigits d;
    if (value == 0 || !std::isfinite(value))
        return d;
    // 800 digits after the first exceed the longest exact expansion of a double (767).
    char buffer[900];
    std::snprintf(buffer, sizeof buffer, "%.800e", value);
    const QByteArray text(buffer);
    const int e = text.indexOf('e');
    d.negative_ = text.startsWith('-');
    QByteArray mantissa = text.left(e);
    mantissa.replace("-", "").replace(".", "");
    d.digits_ = mantissa;
    d.pointPosition_ = text.mid(e + 1).toInt() + 1;
    d.normalise();
    return d;
}

std::optional<DecimalDigits> DecimalDigits::fromText(const QString& text) {
    const QString t = text.trimmed();
    int i = 0;
    DecimalDigits d;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
        d.negative_ = t[i] == u'-';
        ++i;
    }
    int wholeDigits = 0;
    bool anyDigit = false;
    bool afterPoint = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= u'0' && c <= u'9') {
            d.digits_ += char(c.unicode());
            anyDigit = true;
            if (!afterPoint)
                ++wholeDigits;
        } else if (c == u'.' && !afterPoint) {
            afterPoint = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    int exponent = 0;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        bool ok = false;
        exponent = t.mid(i + 1).toInt(&ok);
        if (!ok || t.mid(i + 1).startsWith(u' ') || std::abs(exponent) > 1000)
            return std::nullopt;
        i = t.size();
    }
    if (i != t.size())
        return std::nullopt;
    d.pointPosition_ = wholeDigits + exponent;
    d.normalise();
    return d;
}

void DecimalDigits::normalise() {
    int lead = 0;
    while (lead < digits_.size() && digits_[lead] == '0')
        ++lead;
    digits_.remove(0, lead);
    pointPosition_ -= lead;
    while (!digits_.isEmpty() && digits_.endsWith('0'))
        digits_.chop(1);
    if (digits_.isEmpty()) {
        negative_ = false;
        pointPosition_ = 0;
    }
}

DecimalDigits DecimalDigits::roundedToSignificant(int count) const {
    return roundedAt(count);
}

DecimalDigits DecimalDigits::roundedToDecimals(int decimals) const {
    return roundedAt(pointPosition_ + decimals);
}

// Keeps the first keptDigits digits (counted from the first significant one, may be zero or
// negative) and rounds the rest away: a dropped first digit of 5 or more rounds the magnitude up.
DecimalDigits DecimalDigits::roundedAt(int keptDigits) const {
    if (keptDigits >= digits_.size())
        return *this;
    DecimalDigits r = *this;
    if (keptDigits < 0)
        return DecimalDigits();
    const bool up = digits_[keptDigits] >= '5';
    r.digits_.truncate(keptDigits);
    if (up) {
        int i = r.digits_.size() - 1;
        while (i >= 0 && r.digits_[i] == '9') {
            r.digits_[i] = '0';
            --i;
        }
        if (i >= 0) {
            r.digits_[i] = char(r.digits_[i] + 1);
        } else {
            r.digits_.prepend('1');
            ++r.pointPosition_;
        }
    }
    r.normalise();
    return r;
}
