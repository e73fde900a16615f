#include "DisplayFormat.h"

#include "DecimalDigits.h"

#include <QRegularExpression>

namespace {

QString groupThousands(const QString& whole) {
    QString grouped;
    for (int i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            grouped += u',';
        grouped += whole[i];
    }
    return grouped;
}

QString fixedText(const DecimalDigits& exact, int decimals, bool grouped) {
    const DecimalDigits d = exact.roundedToDecimals(decimals);
    // All digits of the value scaled to whole units of the last decimal.
    QString scaled = QString::fromLatin1(d.digits());
    const int scaledLength = d.pointPosition() + decimals;
    scaled =
        d.isZero() ? QStringLiteral("0") : scaled + QString(scaledLength - scaled.size(), u'0');
    scaled = scaled.rightJustified(decimals + 1, u'0');
    QString whole = scaled.left(scaled.size() - decimals);
    if (grouped)
        whole = groupThousands(whole);
    const QString body = decimals > 0 ? whole + u'.' + scaled.right(decimals) : whole;
    return d.isNegative() ? u'-' + body : body;
}

} // namespace

QString DisplayFormat::apply(const QString& format, const QString& text) {
    static const QRegularExpression shape(QStringLiteral("^%(\\d*)(?:\\.(\\d+))?([nf])$"));
    const QRegularExpressionMatch m = shape.match(format.trimmed());
    if (!m.hasMatch())
        return text;
    const std::optional<DecimalDigits> value = DecimalDigits::fromText(text);
    if (!value)
        return text;
    const int decimals = m.captured(2).isEmpty() ? 2 : qMin(m.captured(2).toInt(), 18);
    return fixedText(*value, decimals, m.captured(3) == QLatin1String("n"));
}
