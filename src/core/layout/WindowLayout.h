#pragma once

#include "Rect.h"

namespace core {

class ControlGeometry;

// Places the controls that sit directly on the window from its inner size.
namespace WindowLayout {

enum Control { MainTab, LeftClear, RightClear, Swatch };

inline constexpr int kMarginPx = 5;
inline constexpr int kMarginsPx = 10;
inline constexpr int kStripPx = 40;
inline constexpr int kGapBelowTabPx = 7;
inline constexpr int kButtonWidthPx = 70;
inline constexpr int kStripHeightPx = 25;
inline constexpr int kRightButtonFromEdgePx = 75;

void apply(float innerWidth, float innerHeight, ControlGeometry &controls);

// Where a window wanted at `wanted` opens within a screen's `available` area:
// along each axis it keeps its place and length where they fit, and is
// otherwise cut to the available length and centred.
Rect fitOnScreen(const Rect &wanted, const Rect &available);

} // namespace WindowLayout

} // namespace core
