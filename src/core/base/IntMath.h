#pragma once

#include <cstdint>

// Conversions from reals to the integer types the figures and the layout use.
// Every conversion rounds to nearest with ties to even and saturates at the
// target's range, so no input (NaN included, which gives 0) is undefined behaviour.

namespace core {

using Int16 = std::int16_t;
using Int32 = std::int32_t;

Int16 round16(double value);
Int32 round32(double value);
Int16 floor16(double value);

// Clamps a wider integer into 16 bits.
Int16 saturate16(long long value);

Int16 MaxInt(Int16 a, Int16 b);
Int16 MinInt(Int16 a, Int16 b);

} // namespace core
