#include "RealLengths.h"

#include "Text.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace core {

namespace {

constexpr int kTenthsPerUnit = 10;
constexpr int kDecimals = 1;
constexpr double kFullTurnDegrees = 360;
// A value this close to its tenth, relative to its size, is that tenth:
// sin(π/6) is a hair under one half in binary.
constexpr double kExactWithin = 1e-9;
// 3.14 in hundredths, so the formula's product is exact in hundredths too.
constexpr int kPiHundredths = 314;
constexpr int kHundredthsPerUnit = 100;
constexpr int kFormulaDecimals = 2;

std::string withUnit(const std::string &number, const std::string &unit) { return number + " " + unit; }

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

std::string RealLengths::radius() const { return "半径 " + withUnit(Text::number(m_radiusCm), kCm); }

std::vector<std::string> RealLengths::polygon(int sides) const
{
    constexpr double pi = std::numbers::pi;
    const double r = m_radiusCm;
    const double perimeter = 2 * sides * r * std::sin(pi / sides);
    const double area = sides / 2.0 * r * r * std::sin(2 * pi / sides);
    return {radius(), "周の長さ " + measure(perimeter, kCm), "面積 " + measure(area, kSquareCm)};
}

std::vector<std::string> RealLengths::sector(int degrees) const
{
    constexpr double pi = std::numbers::pi;
    const double r = m_radiusCm;
    const double share = degrees / kFullTurnDegrees;
    return {radius(), "弧の長さ " + measure(2 * pi * r * share, kCm), "面積 " + measure(pi * r * r * share, kSquareCm)};
}

std::vector<std::string> RealLengths::parallelogram() const
{
    return {"底辺 " + measure(std::numbers::pi * m_radiusCm, kCm), "高さ " + measure(m_radiusCm, kCm)};
}

std::string RealLengths::areaFormula() const
{
    const long long hundredths = 1LL * m_radiusCm * m_radiusCm * kPiHundredths;
    std::string product = Text::fixed(double(hundredths) / kHundredthsPerUnit, kFormulaDecimals);
    product.erase(product.find_last_not_of('0') + 1);
    if (product.back() == '.')
        product.pop_back();
    const std::string r = Text::number(m_radiusCm);
    return r + " × " + r + " × 3.14 ＝ " + withUnit(product, kSquareCm);
}

} // namespace core
