#include "WindowLayout.h"

#include "ControlGeometry.h"
#include "IntMath.h"

#include <algorithm>

namespace core {

namespace WindowLayout {

namespace {

// The strip under the tab control follows the height the tab control took.
float stripTop(const ControlGeometry &controls)
{
    const Rect tab = controls.rect(MainTab);
    return float(tab.y()) + float(tab.height()) + kGapBelowTabPx;
}

int whole(float pixels) { return round32(pixels); }

struct Span
{
    int start;
    int length;
};

Span fitSpan(Span wanted, Span available)
{
    if (wanted.start >= available.start && wanted.start + wanted.length <= available.start + available.length)
        return wanted;
    const int length = std::min(wanted.length, available.length);
    return {available.start + (available.length - length) / 2, length};
}

} // namespace

void apply(float innerWidth, float innerHeight, ControlGeometry &controls)
{
    const Int16 tabWidth = MaxInt(0, round16(innerWidth - kMarginsPx));
    const Int16 tabHeight = MaxInt(0, round16(innerHeight - kStripPx));
    controls.move(MainTab, Rect(kMarginPx, kMarginPx, tabWidth, tabHeight));

    controls.move(LeftClear, Rect(kMarginPx, whole(stripTop(controls)), kButtonWidthPx, kStripHeightPx));

    const Int16 rightLeft = MaxInt(kMarginPx, round16(innerWidth - kRightButtonFromEdgePx));
    controls.move(RightClear, Rect(rightLeft, whole(stripTop(controls)), kButtonWidthPx, kStripHeightPx));

    const Rect left = controls.rect(LeftClear);
    const float rightButtonLeft = float(controls.rect(RightClear).x());
    const float swatchLeft = float(left.x()) + float(left.width()) + kMarginPx;
    const Int16 swatchWidth =
        MaxInt(0, round16(rightButtonLeft - kMarginsPx - float(left.x()) - float(left.width())));
    controls.move(Swatch, Rect(whole(swatchLeft), whole(stripTop(controls)), swatchWidth, kStripHeightPx));
}

Rect fitOnScreen(const Rect &wanted, const Rect &available)
{
    const Span x = fitSpan({wanted.x(), wanted.width()}, {available.x(), available.width()});
    const Span y = fitSpan({wanted.y(), wanted.height()}, {available.y(), available.height()});
    return Rect(x.start, y.start, x.length, y.length);
}

} // namespace WindowLayout

} // namespace core
