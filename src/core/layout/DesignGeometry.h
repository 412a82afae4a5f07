#pragma once

#include "Rect.h"

#include <cstddef>
#include <iterator>

namespace core {

// The window as designed: where its client area opens, and where each control
// starts, in twips (window controls from the client area, page controls from
// the tab control). The layouts move every control before it is seen, keeping
// the sizes they do not set, so every front-end starts its controls here.
namespace DesignGeometry {

struct TwipRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct PageDesign
{
    TwipRect picture, scroll, button, label, overlay;
};

// The client area's place and size, in pixels.
inline constexpr Rect kStartGeometry(145, 116, 548, 469);
inline constexpr int kTabRowTwips = 300;
// The flat frame round a page's picture; the figure fills what lies inside.
inline constexpr int kPictureFramePx = 1;

inline constexpr TwipRect kMainTab{0, 0, 8175, 6495};
inline constexpr TwipRect kClearButtons[2]{{120, 6600, 1095, 375}, {1320, 6600, 1095, 375}};
inline constexpr TwipRect kSwatch{2520, 6600, 5055, 375};
inline constexpr PageDesign kPages[] = {
    {{3960, 500, 4095, 5415}, {120, 6020, 7095, 375}, {}, {7320, 6020, 735, 375}, {240, 500, 3615, 5295}},
    {{4080, 500, 3975, 5415}, {120, 6020, 7095, 375}, {}, {7320, 6020, 735, 375}, {240, 500, 3615, 5295}},
    {{3960, 500, 4095, 5415}, {120, 6020, 5895, 375}, {6120, 6020, 975, 375}, {7200, 6020, 735, 375},
     {120, 500, 3615, 5295}},
    {{3840, 720, 4095, 5415}, {}, {}, {}, {240, 600, 3615, 5295}},
};

} // namespace DesignGeometry

} // namespace core
