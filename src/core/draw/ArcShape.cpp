#include "ArcShape.h"

#include <cmath>
#include <numbers>

namespace core {

ArcShape ArcShape::fromAngles(double start, double end)
{
    constexpr double fullTurn = 2 * std::numbers::pi;
    ArcShape shape;
    shape.whole = false;
    shape.radiusAtStart = start < 0;
    shape.radiusAtEnd = end < 0;
    const double from = std::fabs(start);
    double sweep = std::fmod(std::fabs(end) - from, fullTurn);
    // Equal directions give a full turn rather than nothing.
    if (sweep <= 0)
        sweep += fullTurn;
    shape.startDegrees = from * 180.0 / std::numbers::pi;
    shape.sweepDegrees = sweep * 180.0 / std::numbers::pi;
    return shape;
}

} // namespace core
