#include "BoundingSquaresAids.h"

#include "AidLayout.h"
#include "AidWords.h"
#include "BoundingSquares.h"
#include "LessonAids.h"
#include "PageView.h"
#include "Text.h"

#include <array>
#include <tuple>

namespace core {

namespace BoundingSquaresAids {

namespace {

// n·r²·sin(2π/n)/2 is 3r² at twelve sides: the textbook's step to 「約 3 倍」.
constexpr int kThreeTimesSides = 12;
constexpr int kInnerTimes = 2;
constexpr int kOuterTimes = 4;
constexpr int kPolygonTimes = 3;
const std::string kSquareCm = " cm²";

std::string times(int unit, int n) { return Text::number(unit) + " × " + Text::number(n); }

std::string between(int unit) { return times(unit, kInnerTimes) + " < 円 < " + times(unit, kOuterTimes); }

// The lines of `lines()` broken short, for a corner beside the circle at 4:3.
std::vector<std::string> narrowLines(int radiusCm, int sides)
{
    const int unit = radiusCm * radiusCm;
    std::vector<std::string> out = {"半径を 1 辺とする", "正方形 " + Text::number(unit) + kSquareCm};
    for (const auto &[side, area, n] : {std::tuple{"内側 ", BoundingSquares::innerArea(radiusCm), kInnerTimes},
                                        std::tuple{"外側 ", BoundingSquares::outerArea(radiusCm), kOuterTimes}})
        out.push_back(side + Text::number(area) + kSquareCm + " ＝ " + times(unit, n));
    out.push_back(between(unit));
    out.push_back("2 倍より大きく、");
    out.push_back("4 倍より小さい");
    if (sides == kThreeTimesSides) {
        out.push_back(AidWords::polygonName(sides) + " " + Text::number(kPolygonTimes * unit) + kSquareCm);
        out.push_back("＝ " + times(unit, kPolygonTimes));
        out.push_back("円は 約 3 倍");
    }
    return out;
}

} // namespace

// The circle between 2 and 4 squares on the radius, each square's area and
// multiple on a line: no corner beside the circle takes them on one.
std::vector<std::string> lines(int radiusCm, int sides)
{
    const int unit = radiusCm * radiusCm;
    std::vector<std::string> out = {"半径を 1 辺とする正方形 " + Text::number(unit) + kSquareCm};
    for (const auto &[square, area, n] :
         {std::tuple{"内側の正方形 ", BoundingSquares::innerArea(radiusCm), kInnerTimes},
          std::tuple{"外側の正方形 ", BoundingSquares::outerArea(radiusCm), kOuterTimes}})
        out.push_back(square + Text::number(area) + kSquareCm + " ＝ " + times(unit, n));
    out.push_back(between(unit));
    out.push_back("2 倍より大きく、4 倍より小さい");
    if (sides == kThreeTimesSides) {
        out.push_back(AidWords::polygonName(sides) + " " + Text::number(kPolygonTimes * unit) + kSquareCm + " ＝ " +
                      times(unit, kPolygonTimes));
        out.push_back("円は 約 3 倍");
    }
    return out;
}

void add(LessonAids &aids, AidLayout &layout, const PageView &view, const Similarity &circle)
{
    if (circle.usable()) {
        // The outer square's upper right quarter: two radii and two half sides.
        const PointF c = circle.origin;
        const double r = circle.scale;
        const std::array<PointF, 4> corners{c, c + PointF(r, 0), c + PointF(r, -r), c + PointF(0, -r)};
        const int width = view.weight.px(BoundingSquares::kWidthPx);
        for (std::size_t i = 0; i < corners.size(); ++i)
            aids.lines.push_back({corners[i], corners[(i + 1) % corners.size()], kRadiusSquareColor, width, DrawStyle::Solid});
    }
    // Beside the polygon's own share of the circle, which takes the bottom left first.
    for (const TextCall &t : layout.placeBlock("正方形の面積", lines(view.radiusCm, view.value),
                                               {layout.inside(AidLayout::Bottom | AidLayout::Right),
                                                layout.inside(AidLayout::Top | AidLayout::Right),
                                                layout.inside(AidLayout::Bottom | AidLayout::Left)},
                                               narrowLines(view.radiusCm, view.value)))
        aids.texts.push_back(t);
}

} // namespace BoundingSquaresAids

} // namespace core
