#include "LineArithmetic.h"

#include "DbError.h"

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace LineArithmetic {

namespace {

// Whole fen as Currency; refuses what the 64-bit count cannot hold instead of wrapping.
Currency fenToCurrency(long double fen, const QString& what) {
    const long double limit = (long double)std::numeric_limits<std::int64_t>::max() / 100;
    if (!std::isfinite(fen) || std::fabs(fen) > limit)
        throw DbError(QStringLiteral("%1超出可计算的范围。").arg(what));
    return Currency::fromFen(std::int64_t(fen));
}

} // namespace

long double roundHalfEven(long double value) {
    const int mode = std::fegetround();
    if (mode == FE_TONEAREST)
        return std::nearbyintl(value);
    std::fesetround(FE_TONEAREST);
    const long double rounded = std::nearbyintl(value);
    std::fesetround(mode);
    return rounded;
}

Currency amount(double quantity, double unitPrice) {
    const long double p = unitPrice;
    const long double q = quantity;
    return fenToCurrency(roundHalfEven(p * q * 100), QStringLiteral("金额"));
}

Currency tax(double quantity, double ratePercent, double unitPrice) {
    const long double t = (long double)quantity * ratePercent;
    const long double p = unitPrice;
    return fenToCurrency(roundHalfEven(p * t / 100 * 100), QStringLiteral("税额"));
}

double unitPriceFromTaxInclusive(double taxInclusivePrice, std::optional<double> ratePercent) {
    // (100 + rate) / 100 rounds once, so a rate of 17 gives exactly the constant 1.17.
    const long double divisor = ratePercent ? (100.0L + *ratePercent) / 100 : 1.17L;
    const long double n = roundHalfEven(taxInclusivePrice / divisor * 10000000);
    if (!std::isfinite(n))
        throw DbError(QStringLiteral("按此税率无法由含税单价换算单价（税率不能为 -100%）。"));
    return double(n) / 10000000;
}

} // namespace LineArithmetic
