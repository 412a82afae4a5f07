#pragma once

#include <string>
#include <vector>

namespace core {

// The lesson's lengths and areas in centimetres for a circle of a real
// radius, written as the textbook writes them: one decimal after 約 where the
// value was rounded, the number alone where it is exact. The polygon, the arc
// and the base measure with π itself; the area formula multiplies by 3.14 as
// pupils do by hand, and its product is given whole, every decimal of it.
class RealLengths
{
public:
    static constexpr const char *kCm = "cm";
    static constexpr const char *kSquareCm = "cm²";

    explicit RealLengths(int radiusCm) : m_radiusCm(radiusCm) {}

    std::string radius() const;
    // The regular polygon inscribed in the circle: its perimeter and area.
    std::vector<std::string> polygon(int sides) const;
    // The sector of this central angle: its arc and area.
    std::vector<std::string> sector(int degrees) const;
    // The finished parallelogram: half the circumference and the radius.
    std::vector<std::string> parallelogram() const;
    // radius × radius × 3.14 with the numbers, and the product.
    std::string areaFormula() const;

    // "約 62.1 cm" or "300 cm²".
    static std::string measure(double value, const std::string &unit);

private:
    int m_radiusCm;
};

} // namespace core
