#pragma once

#include <QMetaType>
#include <QString>
#include <compare>
#include <cstdint>
#include <optional>

// A money value: a 64-bit count of ten-thousandths of a yuan, so sums are exact.
class Currency {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromUnits(std::int64_t units) { return Currency(units); }
    static constexpr Currency fromFen(std::int64_t fen) { return Currency(fen * 100); }
    // Nearest ten-thousandth; halves go away from zero. Throws DbError for infinity, NaN or an
    // amount beyond the 64-bit range.
    static Currency fromDouble(double yuan);
    static Currency fromLongDouble(long double yuan);
    // Plain decimal text such as "1.5", "-0.0001", "12" (surrounding blanks allowed).
    static std::optional<Currency> parse(const QString& text);

    constexpr std::int64_t units() const { return units_; }
    double toDouble() const { return double(units_) / Scale; }
    long double toLongDouble() const { return (long double)units_ / Scale; }
    // Shortest plain decimal text: "1.5", "0", "-12.0001". Read back exactly by parse().
    QString toPlainString() const;
    // Fixed two decimals, half away from zero: "1.50", "-0.01".
    QString toFixed2() const;

    constexpr Currency operator+(Currency o) const { return Currency(units_ + o.units_); }
    constexpr Currency operator-(Currency o) const { return Currency(units_ - o.units_); }
    constexpr Currency operator-() const { return Currency(-units_); }
    Currency& operator+=(Currency o) {
        units_ += o.units_;
        return *this;
    }
    constexpr auto operator<=>(const Currency&) const = default;

private:
    constexpr explicit Currency(std::int64_t units) : units_(units) {}
    std::int64_t units_ = 0;
};

Q_DECLARE_METATYPE(Currency)
