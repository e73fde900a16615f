#include "AmountInCapitals.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace {

const QString Digits = QStringLiteral("零壹贰叁肆伍陆柒捌玖");
const QString Places = QStringLiteral("仟佰拾");
const std::array<QString, 4> GroupWords = {QStringLiteral("万"), QStringLiteral("亿"),
                                           QStringLiteral("万"), QStringLiteral("圆")};

struct SpelledGroup {
    QString text;
    bool leadingZero = false; // the thousands digit is 0
};

// Four digits, thousands to units: leading zeros write nothing, a run of inner zeros one "零",
// trailing zeros nothing.
SpelledGroup spellGroup(int value) {
    SpelledGroup group;
    if (value == 0)
        return group;
    const std::array<int, 4> digits = {value / 1000, value / 100 % 10, value / 10 % 10, value % 10};
    bool digitWritten = false;
    bool zeroPending = false;
    for (int k = 0; k < 4; ++k) {
        const int d = digits[k];
        if (d == 0) {
            if (k == 0)
                group.leadingZero = true;
            else if (digitWritten)
                zeroPending = true;
            continue;
        }
        if (zeroPending)
            group.text += u'零';
        group.text += Digits[d];
        if (k < 3)
            group.text += Places[k];
        digitWritten = true;
        zeroPending = false;
    }
    return group;
}

QString spellNonNegative(long double amount) {
    long double whole = std::trunc(amount);
    auto fen = std::int64_t(std::trunc((amount - whole) * 100 + 0.5L));
    if (fen >= 100) { // a third decimal of .995 and above rounds into the next yuan
        whole += 1;
        fen -= 100;
    }
    // Sixteen digits fill the four groups; anything above them is dropped.
    auto yuan = std::int64_t(std::fmod(whole, 1e16L));

    std::array<int, 4> groups = {0, 0, 0, 0};
    for (int i = 3; i >= 0 && yuan > 0; --i) {
        groups[i] = int(yuan % 10000);
        yuan /= 10000;
    }
    if (groups == std::array<int, 4>{0, 0, 0, 0} && fen == 0)
        return QStringLiteral("零圆整");

    const int f = int(fen % 10);
    const int j = int(fen / 10);
    QString fraction;
    if (f > 0)
        fraction = Digits[f] + QStringLiteral("分");
    if (j > 0)
        fraction = Digits[j] + (fraction.isEmpty() ? QStringLiteral("角整") : u'角' + fraction);
    const bool zeroBeforeFraction = j == 0 && f > 0;

    QString result;
    bool groupWritten = false;
    for (int g = 0; g < 4; ++g) {
        const SpelledGroup group = spellGroup(groups[g]);
        if (!group.text.isEmpty()) {
            if (groupWritten && group.leadingZero)
                result += u'零';
            result += group.text + GroupWords[g];
            groupWritten = true;
        } else if (groupWritten && (g == 1 || g == 3)) {
            result += GroupWords[g];
        }
    }

    if (fraction.isEmpty())
        return result + u'整';
    if (zeroBeforeFraction && groupWritten)
        result += u'零';
    return result + fraction;
}

} // namespace

QString AmountInCapitals(double amount) {
    if (!std::isfinite(amount))
        return {};
    const QString magnitude = spellNonNegative(std::fabs((long double)amount));
    if (amount < 0 && magnitude != QStringLiteral("零圆整"))
        return u'负' + magnitude;
    return magnitude;
}
