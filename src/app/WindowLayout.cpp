#include "WindowLayout.h"

#include "ControlGeometry.h"
#include "IntMath.h"

#include <algorithm>

namespace WindowLayout {

namespace {

// The strip under the tab control follows the height the tab control took.
float stripTop(const ControlGeometry &controls)
{
    const QRect tab = controls.rect(MainTab);
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
    controls.move(MainTab, QRect(kMarginPx, kMarginPx, tabWidth, tabHeight));

    controls.move(LeftClear, QRect(kMarginPx, whole(stripTop(controls)), kButtonWidthPx, kStripHeightPx));

    const Int16 rightLeft = MaxInt(kMarginPx, round16(innerWidth - kRightButtonFromEdgePx));
    controls.move(RightClear, QRect(rightLeft, whole(stripTop(controls)), kButtonWidthPx, kStripHeightPx));

    const QRect left = controls.rect(LeftClear);
    const float rightButtonLeft = float(controls.rect(RightClear).x());
    const float swatchLeft = float(left.x()) + float(left.width()) + kMarginPx;
    const Int16 swatchWidth =
        MaxInt(0, round16(rightButtonLeft - kMarginsPx - float(left.x()) - float(left.width())));
    controls.move(Swatch, QRect(whole(swatchLeft), whole(stripTop(controls)), swatchWidth, kStripHeightPx));
}

QRect fitOnScreen(const QRect &wanted, const QRect &available)
{
    const Span x = fitSpan({wanted.x(), wanted.width()}, {available.x(), available.width()});
    const Span y = fitSpan({wanted.y(), wanted.height()}, {available.y(), available.height()});
    return QRect(x.start, y.start, x.length, y.length);
}

} // namespace WindowLayout
