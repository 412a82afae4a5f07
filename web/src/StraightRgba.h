#pragma once

#include "PixelBuffer.h"

#include <cstdint>
#include <vector>

// Canvas pixels are straight RGBA bytes; the core's are premultiplied ARGB
// words. Converted here, at the edge, as they leave for a canvas.
namespace StraightRgba {

// The pixels of `area` (within the buffer), row by row, into the front of
// `out`, which only ever grows; gives how many were written.
std::size_t convert(const core::PixelBuffer &pixels, const core::Rect &area, std::vector<std::uint32_t> &out);

} // namespace StraightRgba
