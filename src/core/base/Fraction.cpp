#include "Fraction.h"

#include "Text.h"

#include <cstdlib>
#include <numeric>

namespace core {

namespace {
constexpr int kBase = 10;
}

Fraction::Fraction(std::int64_t num, std::int64_t den)
{
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const std::int64_t g = std::gcd(num, den);
    m_num = g > 1 ? num / g : num;
    m_den = g > 1 ? den / g : den;
}

Fraction operator+(const Fraction &a, const Fraction &b) { return {a.m_num * b.m_den + b.m_num * a.m_den, a.m_den * b.m_den}; }
Fraction operator-(const Fraction &a, const Fraction &b) { return {a.m_num * b.m_den - b.m_num * a.m_den, a.m_den * b.m_den}; }
Fraction operator*(const Fraction &a, const Fraction &b) { return {a.m_num * b.m_num, a.m_den * b.m_den}; }
Fraction operator/(const Fraction &a, const Fraction &b) { return {a.m_num * b.m_den, a.m_den * b.m_num}; }

std::optional<std::string> Fraction::decimal(int maxDecimals) const
{
    std::int64_t scaled = m_num;
    std::int64_t unit = 1;
    int decimals = 0;
    while (scaled % m_den != 0) {
        if (decimals == maxDecimals)
            return std::nullopt;
        scaled *= kBase;
        unit *= kBase;
        ++decimals;
    }
    const std::int64_t q = std::llabs(scaled / m_den);
    std::string digits = Text::number(q / unit);
    if (decimals > 0) {
        std::string frac = Text::number(q % unit);
        digits += '.' + std::string(std::size_t(decimals) - frac.size(), '0') + frac;
    }
    return (m_num < 0 ? "-" : "") + digits;
}

} // namespace core
