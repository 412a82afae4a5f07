#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace core {

// An exact rational number, as a pupil's working with 3.14 needs: every
// product and quotient of whole centimetres stays exact, and is written
// out in decimals only where it ends.
class Fraction
{
public:
    constexpr Fraction(std::int64_t whole = 0) : m_num(whole) {}
    Fraction(std::int64_t num, std::int64_t den);

    std::int64_t num() const { return m_num; }
    std::int64_t den() const { return m_den; }
    double value() const { return double(m_num) / double(m_den); }

    friend Fraction operator+(const Fraction &a, const Fraction &b);
    friend Fraction operator-(const Fraction &a, const Fraction &b);
    friend Fraction operator*(const Fraction &a, const Fraction &b);
    friend Fraction operator/(const Fraction &a, const Fraction &b);
    friend bool operator==(const Fraction &, const Fraction &) = default;

    // "57", "21.5", "0.3925"; nothing where the decimals would not end
    // within `maxDecimals` digits.
    std::optional<std::string> decimal(int maxDecimals) const;

private:
    std::int64_t m_num = 0;
    std::int64_t m_den = 1;
};

} // namespace core
