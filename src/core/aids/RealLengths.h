#pragma once

#include <string>
#include <vector>

namespace core {

// The lesson's lengths and areas in centimetres for a circle of a real
// radius, worked as pupils work them: with 3.14 for 円周率, so 15.7 cm and
// 200.96 cm² are exact and written whole, every decimal of them. A value that
// does not come out in a few decimals is rounded to one after 約. The
// polygon's, which no pupil works by hand, are rounded the same way.
class RealLengths
{
public:
    static constexpr const char *kCm = "cm";
    static constexpr const char *kSquareCm = "cm²";

    explicit RealLengths(int radiusCm) : m_radiusCm(radiusCm) {}

    std::string radius() const;
    std::string diameter() const;
    // The regular polygon inscribed in the circle: its perimeter and area.
    std::vector<std::string> polygon(int sides) const;
    // The sector of this central angle: its curved side and area; the
    // circumference at a whole turn, nothing but the radius at none.
    std::vector<std::string> sector(int degrees) const;
    // The finished parallelogram: half the circumference and the radius, led
    // by the diameter where the formula is built from it.
    std::vector<std::string> parallelogram(bool fromDiameter) const;
    // The formula with the numbers, then its answer: the unit stays out of the working.
    std::vector<std::string> areaFormula(bool fromDiameter) const;

    // "約 62.1 cm" or "300 cm²".
    static std::string measure(double value, const std::string &unit);
    // numerator / denominator written exactly where it ends within a few
    // decimals, else as measure() writes it.
    static std::string worked(long long numerator, long long denominator, const std::string &unit);

private:
    int m_radiusCm;
};

} // namespace core
