#pragma once

namespace core {

// The pen and the eraser as designed, in pixels of a 96-dpi screen at the
// design's line weight; a heavier weight multiplies both, a denser screen
// widens them in proportion.
namespace InkPen {

inline constexpr double kWidthAt96DpiPx = 3.0;
inline constexpr double kEraserRadiusAt96DpiPx = 10.0;
// At the heavier weights a stroke's rim, this share of its width, is drawn
// outside it in a colour set against the pen's, as the aids' letters have
// their outline; at the design weight only where the pen would vanish on a
// fill. A rim is never thinner than a pixel and a half, so some pixel across
// it is mostly rim wherever the stroke lies.
inline constexpr double kEdgeShareOfWidth = 1.0 / 6;
inline constexpr double kThinnestEdgePx = 1.5;

} // namespace InkPen

} // namespace core
