#include "RealLengths.h"

#include "Text.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <optional>

namespace core {

namespace {

constexpr int kTenthsPerUnit = 10;
constexpr int kDecimals = 1;
constexpr int kFullTurnDegrees = 360;
constexpr int kHalf = 2;
// A value this close to its tenth, relative to its size, is that tenth:
// sin(π/6) is a hair under one half in binary.
constexpr double kExactWithin = 1e-9;
// 3.14 in hundredths, so every product with it is a fraction in whole numbers.
constexpr long long kPiHundredths = 314;
constexpr long long kHundredthsPerUnit = 100;
// 3.14 × a degree's share of a 5, 8 or 10 cm circle ends within four decimals.
constexpr int kMostDecimals = 4;

std::string withUnit(const std::string &number, const std::string &unit) { return number + " " + unit; }

std::optional<std::string> exactDecimal(long long numerator, long long denominator)
{
    if (denominator <= 0 || numerator < 0)
        return std::nullopt;
    const long long common = std::gcd(numerator, denominator);
    numerator /= common;
    denominator /= common;
    long long scale = 1;
    for (int decimals = 0; decimals <= kMostDecimals; ++decimals, scale *= kTenthsPerUnit) {
        if (numerator * scale % denominator != 0)
            continue;
        const long long digits = numerator * scale / denominator;
        std::string text = Text::number(digits / scale);
        if (decimals > 0) {
            const std::string fraction = Text::number(digits % scale + scale);
            text += "." + fraction.substr(1);
        }
        return text;
    }
    return std::nullopt;
}

} // namespace

std::string RealLengths::measure(double value, const std::string &unit)
{
    const double inTenths = value * kTenthsPerUnit;
    const double tenths = std::round(inTenths);
    if (std::abs(inTenths - tenths) > kExactWithin * std::max(1.0, std::abs(inTenths)))
        return "約 " + withUnit(Text::fixed(value, kDecimals), unit);
    const long long whole = std::llround(tenths);
    return withUnit(whole % kTenthsPerUnit == 0 ? Text::number(whole / kTenthsPerUnit)
                                                : Text::fixed(tenths / kTenthsPerUnit, kDecimals),
                    unit);
}

std::string RealLengths::worked(long long numerator, long long denominator, const std::string &unit)
{
    if (const std::optional<std::string> exact = exactDecimal(numerator, denominator))
        return withUnit(*exact, unit);
    return measure(double(numerator) / double(denominator), unit);
}

std::string RealLengths::radius() const { return "半径 " + withUnit(Text::number(m_radiusCm), kCm); }

std::string RealLengths::diameter() const { return "直径 " + withUnit(Text::number(kHalf * m_radiusCm), kCm); }

std::vector<std::string> RealLengths::polygon(int sides) const
{
    constexpr double pi = std::numbers::pi;
    const double r = m_radiusCm;
    const double perimeter = 2 * sides * r * std::sin(pi / sides);
    const double area = sides / 2.0 * r * r * std::sin(2 * pi / sides);
    return {radius(), "まわりの長さ " + measure(perimeter, kCm), "面積 " + measure(area, kSquareCm)};
}

// Arc 直径 × 3.14 × v/360, area 半径 × 半径 × 3.14 × v/360.
std::vector<std::string> RealLengths::sector(int degrees) const
{
    if (degrees <= 0)
        return {radius()};
    const long long r = m_radiusCm;
    const long long turn = kHundredthsPerUnit * kFullTurnDegrees;
    const std::string curve = worked(kHalf * r * kPiHundredths * degrees, turn, kCm);
    const std::string area = worked(r * r * kPiHundredths * degrees, turn, kSquareCm);
    return {radius(), (degrees >= kFullTurnDegrees ? "円周 " : "曲線部分の長さ ") + curve, "面積 " + area};
}

std::vector<std::string> RealLengths::parallelogram(bool fromDiameter) const
{
    std::vector<std::string> lines;
    if (fromDiameter)
        lines.push_back(diameter());
    lines.push_back("底辺 " + worked(m_radiusCm * kPiHundredths, kHundredthsPerUnit, kCm));
    lines.push_back("高さ " + withUnit(Text::number(m_radiusCm), kCm));
    return lines;
}

std::vector<std::string> RealLengths::areaFormula(bool fromDiameter) const
{
    const long long hundredths = 1LL * m_radiusCm * m_radiusCm * kPiHundredths;
    const std::string product = *exactDecimal(hundredths, kHundredthsPerUnit);
    const std::string r = Text::number(m_radiusCm);
    const std::string working = fromDiameter ? Text::number(kHalf * m_radiusCm) + " × 3.14 ÷ 2 × " + r
                                             : r + " × " + r + " × 3.14";
    return {working + " ＝ " + product, withUnit(product, kSquareCm)};
}

} // namespace core
