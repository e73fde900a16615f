#pragma once

#include "Currency.h"

#include <QString>
#include <optional>

// The two number texts that invoice prints use.
//
// General form: the shortest decimal text with at most 15 significant digits (a halfway digit
// rounds away from zero), "." as point, no grouping, no trailing zeros, no point for whole
// numbers. Non-zero values below 0.0001 or with more than 15 digits before the point use the
// exponent form "1.5E-7", "5E-5", "1E20".
//
// Two-decimal form: at least one digit before the point and exactly two after it, a halfway
// digit rounded away from zero: "3.00", "1.71", "0.00", "-0.50". A value that rounds to zero
// never shows a minus sign.
class NumberText {
public:
    // Works on the exact binary value of the double.
    static QString general(double value);
    static QString general(Currency value);

    // A double is first taken to its 15 significant digits, the precision it is shown with
    // everywhere else, so 1.005 gives "1.01" as a user reading "1.005" expects.
    static QString twoDecimals(double value);
    static QString twoDecimals(Currency value);
    // Decimal text (plain or with exponent, blanks around allowed) in two-decimal form;
    // nullopt when the text is not a decimal number (the empty text included).
    static std::optional<QString> twoDecimalsOfText(const QString& text);
};
