#pragma once

#include "IntMath.h"

namespace core {

// π as the figures use it: this decimal, a hair below the true value, decides
// which way a few half-pixel vertices round.
inline constexpr double kPi = 3.14159265358979;
inline constexpr double kDegreesPerHalfTurn = 180.0;

// Diameter that fits an inner area with about a pixel to spare on the smaller side.
inline Int16 usableDiameter(float scaleWidth, float scaleHeight)
{
    constexpr int marginPx = 2;
    return MaxInt(0, saturate16(MinInt(round16(scaleHeight), round16(scaleWidth)) - marginPx));
}

} // namespace core
