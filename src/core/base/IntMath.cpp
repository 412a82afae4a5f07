#include "IntMath.h"

#include <cmath>
#include <limits>

namespace core {

namespace {

template <typename Int>
Int saturateReal(double integral)
{
    if (std::isnan(integral))
        return 0;
    if (integral <= double(std::numeric_limits<Int>::min()))
        return std::numeric_limits<Int>::min();
    if (integral >= double(std::numeric_limits<Int>::max()))
        return std::numeric_limits<Int>::max();
    return static_cast<Int>(integral);
}

} // namespace

// std::nearbyint honours the current rounding mode, which is to-nearest-even
// unless someone changes it; nothing in this program does.
Int16 round16(double value) { return saturateReal<Int16>(std::nearbyint(value)); }
Int32 round32(double value) { return saturateReal<Int32>(std::nearbyint(value)); }
Int16 floor16(double value) { return saturateReal<Int16>(std::floor(value)); }

Int16 saturate16(long long value)
{
    return saturateReal<Int16>(double(value));
}

Int16 MaxInt(Int16 a, Int16 b) { return a > b ? a : b; }
Int16 MinInt(Int16 a, Int16 b) { return a < b ? a : b; }

} // namespace core
