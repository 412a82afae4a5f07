#include "WindowLayout.h"

#include "ControlGeometry.h"
#include "IntMath.h"

namespace WindowLayout {

namespace {

// The strip under the tab control follows the height the tab control took.
float stripTop(const ControlGeometry &controls)
{
    const QRect tab = controls.rect(MainTab);
    return float(tab.y()) + float(tab.height()) + kGapBelowTabPx;
}

int whole(float pixels) { return round32(pixels); }

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

} // namespace WindowLayout
