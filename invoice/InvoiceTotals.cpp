#include "InvoiceTotals.h"

#include "AmountInCapitals.h"

namespace {

std::int64_t unitsToFenHalfEven(std::int64_t units) {
    constexpr std::int64_t perFen = Currency::Scale / 100;
    std::int64_t fen = units / perFen;
    const std::int64_t rest = units % perFen; // same sign as units
    const std::int64_t twice = 2 * (rest < 0 ? -rest : rest);
    if (twice > perFen || (twice == perFen && fen % 2 != 0))
        fen += units < 0 ? -1 : 1;
    return fen;
}

} // namespace

InvoiceTotals InvoiceTotals::fromSums(Currency amounts, Currency taxes) {
    InvoiceTotals totals;
    totals.fen = unitsToFenHalfEven((amounts + taxes).units());
    totals.capitals = AmountInCapitals(double(totals.fen) / 100);
    totals.figures = Currency::fromFen(totals.fen).toFixed2();
    return totals;
}
