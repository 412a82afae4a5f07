#include "PolygonAids.h"

#include "AidLayout.h"
#include "AidWords.h"
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
    return {"まわりの長さ ÷ 直径 ＝ " + AidWords::rounded(perimeterOverDiameter, kRatioDecimals),
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

    for (const TextCall &t : layout.placeBlock("正多角形の名前", title(sides),
                                               {layout.inside(AidLayout::Top | AidLayout::Left),
                                                layout.inside(AidLayout::Top | AidLayout::Right)}))
        aids.texts.push_back(t);
    const std::vector<AidLayout::Place> corners = {layout.inside(AidLayout::Bottom | AidLayout::Left),
                                                   layout.inside(AidLayout::Bottom | AidLayout::Right),
                                                   layout.inside(AidLayout::Top | AidLayout::Right)};
    // Together, the ratio broken before its value where a corner is narrow.
    const std::vector<std::string> lines = readouts(sides);
    const std::size_t equals = lines.front().find(" ＝");
    std::vector<TextCall> placed =
        layout.placeBlock("まわりの長さ ÷ 直径・面積の割合", lines, corners,
                          {lines.front().substr(0, equals), lines.front().substr(equals + 1), lines.back()});
    // π stands over the ratio, or under it, at its size, as a block of its
    // own: a third line would shrink the readouts in a corner.
    if (!placed.empty()) {
        const TextCall &ratio = placed.front();
        const double above = ratio.box.top() - layout.gapPx() - kSparePx;
        const double below = ratio.box.bottom() + layout.gapPx() + kSparePx;
        const std::vector<AidLayout::Place> piPlaces = {
            {PointF(ratio.box.left(), above), AidLayout::Left | AidLayout::Bottom},
            {PointF(ratio.box.right(), above), AidLayout::Right | AidLayout::Bottom},
            {PointF(ratio.box.left(), below), AidLayout::Left | AidLayout::Top},
            {PointF(ratio.box.right(), below), AidLayout::Right | AidLayout::Top}};
        const std::vector<TextCall> pi = layout.placeBlock("円周率", {"円周率 ＝ 3.14…"}, piPlaces, {}, ratio.pixelSize);
        placed.insert(placed.end(), pi.begin(), pi.end());
    }
    aids.texts.insert(aids.texts.end(), placed.begin(), placed.end());
}

} // namespace PolygonAids

} // namespace core
