#pragma once

#include "Currency.h"

#include <QString>
#include <cstdint>

// The invoice total (amounts plus taxes of all lines) in whole fen, with the two texts shown in
// the header: in capitals (大写金额) and in figures "0.00" (小写金额).
struct InvoiceTotals {
    std::int64_t fen = 0;
    QString capitals;
    QString figures;

    // Round((sum of 金额 + sum of 税额) × 100), halves to even.
    static InvoiceTotals fromSums(Currency amounts, Currency taxes);
};
