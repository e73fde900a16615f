#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// An exact decimal number as sign, significant digits and the position of the decimal point,
// so rounding rules can work digit by digit instead of on binary fractions.
// The value is 0.<digits> x 10^pointPosition; zero has no digits.
class DecimalDigits {
public:
    // The exact value of the double (every binary fraction has a finite decimal expansion).
    static DecimalDigits fromDouble(double value);
    // Plain or exponent decimal text: "-12.5", ".5", "3.", "1E-5", with blanks around it.
    static std::optional<DecimalDigits> fromText(const QString& text);

    bool isZero() const { return digits_.isEmpty(); }
    bool isNegative() const { return negative_; }
    const QByteArray& digits() const { return digits_; }
    // Number of digits before the decimal point; zero or negative for values below 1.
    int pointPosition() const { return pointPosition_; }

    // Halfway digits go away from zero.
    DecimalDigits roundedToSignificant(int count) const;
    DecimalDigits roundedToDecimals(int decimals) const;

private:
    DecimalDigits roundedAt(int keptDigits) const;
    void normalise();

    bool negative_ = false;
    QByteArray digits_;
    int pointPosition_ = 0;
};
