#include "PolygonAids.h"

#include "AidLayout.h"
#include "AidWords.h"
#include "LessonAids.h"
#include "PageView.h"
#include "PolygonFigure.h"
#include "Text.h"

#include <algorithm>
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
// Against rounding, between blocks that stand a clearance apart.
constexpr double kSparePx = 1;
} // namespace

std::vector<std::string> title(int sides) { return {AidWords::polygonName(sides), "辺の数 " + Text::number(sides)}; }

// A side subtends 2π/n at the centre: the perimeter is 2n·R·sin(π/n) and the
// area n·R²·sin(2π/n)/2, against the circle's 2πR and πR².
std::vector<std::string> readouts(int sides)
{
    constexpr double pi = std::numbers::pi;
    const double perimeterOverDiameter = sides * std::sin(pi / sides);
    const double areaShare = sides * std::sin(2 * pi / sides) / (2 * pi);
    return {"周の長さ ÷ 直径 ＝ " + AidWords::rounded(perimeterOverDiameter, kRatioDecimals),
            "面積は円の " + AidWords::rounded(areaShare * kPercent, kPercentDecimals) + " %"};
}

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

    for (const TextCall &t : layout.place(title(sides), {layout.inside(AidLayout::Top | AidLayout::Left),
                                                   layout.inside(AidLayout::Top | AidLayout::Right)}))
        aids.texts.push_back(t);
    const std::vector<AidLayout::Place> corners = {layout.inside(AidLayout::Bottom | AidLayout::Left),
                                                   layout.inside(AidLayout::Bottom | AidLayout::Right),
                                                   layout.inside(AidLayout::Top | AidLayout::Right)};
    std::vector<TextCall> placed = layout.place(readouts(sides), corners);
    // π stands over the readouts, or under them, as a block of its own: a
    // third line would shrink them all in a corner.
    std::vector<AidLayout::Place> piPlaces;
    int piPx = 0;
    if (!placed.empty()) {
        piPx = placed.front().pixelSize;
        const double top = placed.front().box.top() - layout.gapPx() - kSparePx;
        const double bottom = placed.back().box.bottom() + layout.gapPx() + kSparePx;
        const double left = placed.front().box.left();
        double right = left;
        for (const TextCall &t : placed)
            right = std::max(right, t.box.right());
        piPlaces = {{PointF(left, top), AidLayout::Left | AidLayout::Bottom},
                    {PointF(right, top), AidLayout::Right | AidLayout::Bottom},
                    {PointF(left, bottom), AidLayout::Left | AidLayout::Top},
                    {PointF(right, bottom), AidLayout::Right | AidLayout::Top}};
    }
    piPlaces.insert(piPlaces.end(), corners.begin(), corners.end());
    const std::vector<TextCall> pi = layout.place({"円周率 ＝ 3.14…"}, piPlaces, AidLayout::Left, piPx);
    placed.insert(placed.end(), pi.begin(), pi.end());
    aids.texts.insert(aids.texts.end(), placed.begin(), placed.end());
}

} // namespace PolygonAids

} // namespace core
