#pragma once

#include "Currency.h"

#include <optional>

// The fixed formulas that keep an invoice line consistent. Every product and quotient runs in
// 80-bit extended precision in the order written; "round" goes to the nearest integer with an
// exact half going to the even one. A result too large for the money type throws DbError.
namespace LineArithmetic {

// Nearest integer, halves to even, in extended precision.
long double roundHalfEven(long double value);

// 金额 from 数量 and 单价: Round(price × quantity × 100) fen.
Currency amount(double quantity, double unitPrice);

// 税额 from 数量, 税率 (percent) and 单价: Round(price × (quantity × rate) / 100 × 100) fen.
// Computed from quantity and price, not from the rounded amount.
Currency tax(double quantity, double ratePercent, double unitPrice);

// 单价 (seven decimals) from the tax-inclusive 其它4, divided by 1 + rate / 100 for the line's
// own rate, or by 1.17 when the line has no rate.
double unitPriceFromTaxInclusive(double taxInclusivePrice, std::optional<double> ratePercent);

} // namespace LineArithmetic
