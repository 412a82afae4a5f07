#include "PolygonAids.h"

#include "AidLayout.h"
#include "LessonAids.h"
#include "PageView.h"
#include "PolygonFigure.h"
#include "Text.h"

#include <cmath>
#include <numbers>

namespace core {

namespace PolygonAids {

namespace {
// Pale and opaque: Qt smooths a translucent pen many times more slowly.
const Color kCircleColor{176, 216, 176};
constexpr int kCircleWidthPx = 1;
// The circle is dashed as arcs, so its dashes grow with it and their number
// stays small: a dashed pen would draw a thousand at 4K.
constexpr int kDashes = 96;
constexpr double kDashShare = 0.5;
constexpr int kRatioDecimals = 3;
constexpr int kPercentDecimals = 1;
constexpr double kPercent = 100;
} // namespace

void add(LessonAids &aids, AidLayout &layout, const PageView &view)
{
    const int sides = view.value;
    const LineWeight weight = view.weight;
    const PolygonFigure f =
        PolygonFigure::compute(float(view.inner.width()), float(view.inner.height()), sides);
    constexpr double dashAngle = 2 * std::numbers::pi / kDashes;
    for (int i = 0; f.radius > 0 && i < kDashes; ++i)
        aids.arcs.push_back({f.centre, float(f.radius), float(i * dashAngle), float((i + kDashShare) * dashAngle),
                             kCircleColor, weight.px(kCircleWidthPx)});
    layout.avoidDisc(f.centre, f.radius + weight.px(PolygonFigure::kEdgeWidthPx));

    // A side subtends 2π/n at the centre: the perimeter is 2n·R·sin(π/n) and
    // the area n·R²·sin(2π/n)/2, against the circle's 2πR and πR².
    constexpr double pi = std::numbers::pi;
    const double perimeterOverDiameter = sides * std::sin(pi / sides);
    const double areaShare = sides * std::sin(2 * pi / sides) / (2 * pi);

    const std::string name = "正" + Text::number(sides) + "角形";
    const std::vector<std::string> readouts = {
        "周の長さ ÷ 直径 = " + Text::fixed(perimeterOverDiameter, kRatioDecimals),
        "面積は円の " + Text::fixed(areaShare * kPercent, kPercentDecimals) + " %"};
    for (const TextCall &t : layout.place({name}, {layout.inside(AidLayout::Top | AidLayout::Left),
                                                   layout.inside(AidLayout::Top | AidLayout::Right)}))
        aids.texts.push_back(t);
    for (const TextCall &t : layout.place(readouts, {layout.inside(AidLayout::Bottom | AidLayout::Left),
                                                     layout.inside(AidLayout::Bottom | AidLayout::Right),
                                                     layout.inside(AidLayout::Top | AidLayout::Right)}))
        aids.texts.push_back(t);
}

} // namespace PolygonAids

} // namespace core
