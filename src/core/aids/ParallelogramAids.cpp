#include "ParallelogramAids.h"

#include "AidLayout.h"
#include "FigureMath.h"
#include "LessonAids.h"
#include "PageView.h"
#include "ParallelogramFigure.h"
#include "Text.h"

#include <algorithm>
#include <cmath>

namespace core {

namespace ParallelogramAids {

namespace {

// A bracket's ends turn towards what it measures by this share of the clearance.
constexpr double kTickShare = 0.5;

RectF widened(const RectF &r, double px) { return r.adjusted(-px, -px, px, px); }

void addLine(LessonAids &aids, PointF from, PointF to, const Color &color, int width)
{
    aids.lines.push_back({from, to, color, width, DrawStyle::Solid});
}

// The moved sectors' arcs in the colour the figure gives the circumference
// already moved, which is the part of the circle they came from. And the
// radius that becomes the height.
void addMarks(LessonAids &aids, const ParallelogramFigure &f, LineWeight weight)
{
    const int markPx = weight.px(kMarkWidthPx);
    // Positive angles: the arc alone, without the sector's radius lines.
    for (const ParallelogramFigure::MovedSector &m : f.moved)
        aids.arcs.push_back({m.apex, float(f.R), std::abs(m.start), std::abs(m.end), ParallelogramFigure::kMovedColor, markPx});

    addLine(aids, f.centre, f.centre - Point(0, f.R), kRadiusColor, markPx);
    if (f.step > 0) {
        const Point foot = f.firstApex;
        addLine(aids, foot, PointF(foot.x(), round16(foot.y() - f.R * f.c)), kRadiusColor, markPx);
    }
}

// Where the finished figure lies: its bulges above and below, and the band
// between them with both slanted sides. The sectors move into it one by one.
struct Finished
{
    RectF upper, band, lower;
};

Finished finishedAreas(const ParallelogramFigure &f)
{
    const double lean = f.R * f.s;
    const PointF foot(f.firstApex);
    const double topEdge = foot.y() - f.R * f.c;
    const double baseEnd = foot.x() + f.sectors * lean;
    const double bulge = f.R - f.R * f.c;
    return {RectF(PointF(foot.x() - lean, topEdge - bulge), PointF(baseEnd - lean, topEdge)),
            RectF(PointF(foot.x() - lean, topEdge), PointF(baseEnd, foot.y())),
            RectF(PointF(foot.x(), foot.y()), PointF(baseEnd, foot.y() + bulge))};
}

void addBracket(LessonAids &aids, AidLayout &layout, PointF from, PointF to, PointF tick, const Color &color, int width)
{
    addLine(aids, from + tick, from, color, width);
    addLine(aids, from, to, color, width);
    addLine(aids, to, to + tick, color, width);
    layout.avoid(widened(RectF(PointF(std::min(from.x(), from.x() + tick.x()), std::min(from.y(), from.y() + tick.y())),
                               PointF(std::max(to.x(), to.x() + tick.x()), std::max(to.y(), to.y() + tick.y()))),
                         width / 2.0));
}

void addTexts(LessonAids &aids, const std::vector<TextCall> &texts)
{
    aids.texts.insert(aids.texts.end(), texts.begin(), texts.end());
}

// A label belongs by its bracket: nowhere else, but never lost without a word.
void addLabel(LessonAids &aids, AidLayout &layout, const std::string &label, const std::vector<AidLayout::Place> &places)
{
    const std::vector<TextCall> texts = layout.place({label}, places);
    if (texts.empty())
        layout.leftOut(label);
    addTexts(aids, texts);
}

} // namespace

std::string count(int sectors) { return "おうぎ形の数 " + Text::number(sectors); }

std::string heightLabel() { return "高さ ＝ 半径"; }

std::string baseLabel() { return "底辺 ＝ 円周の半分"; }

// The area formula, in the order it is built. The ideographic spaces are as
// wide as 円の面積, so every ＝ of the working stands in one column. From the
// diameter it ends on the line that brings 直径 in.
const std::vector<std::string> &formula(bool fromDiameter)
{
    static const std::vector<std::string> kFromRadius = {
        "円の面積 ＝ 平行四辺形の面積 ＝ 底辺 × 高さ",
        "　　　　 ＝ 円周の半分 × 半径",
        "　　　　 ＝ 直径 × 3.14（円周率）÷ 2 × 半径",
        "　　　　 ＝ 半径 × 3.14（円周率）× 半径",
        "円の面積 ＝ 半径 × 半径 × 円周率",
    };
    static const std::vector<std::string> kFromDiameter = {
        kFromRadius[0],
        kFromRadius[1],
        kFromRadius[2],
        "円の面積 ＝ 直径 × 円周率 ÷ 2 × 半径",
    };
    return fromDiameter ? kFromDiameter : kFromRadius;
}

void add(LessonAids &aids, AidLayout &layout, const PageView &view)
{
    const LineWeight weight = view.weight;
    const std::vector<std::string> &lines = formula(view.diameterFormula);
    const int formulaLines = std::clamp(view.formulaLines, 0, int(lines.size()));
    const ParallelogramFigure f =
        ParallelogramFigure::compute(float(view.inner.width()), float(view.inner.height()), view.value, view.step);
    addMarks(aids, f, weight);
    if (f.R == 0)
        return;

    const double outlinePx = weight.px(ParallelogramFigure::kOutlineWidthPx);
    const int bracketPx = weight.px(kBracketWidthPx);
    const Finished areas = finishedAreas(f);
    layout.avoidDisc(f.centre, f.R + outlinePx);
    for (const RectF &area : {areas.upper, areas.band, areas.lower})
        layout.avoid(widened(area, outlinePx));

    // The number of sectors shows from the start, where the figure never goes.
    addTexts(aids, layout.placeBlock("おうぎ形の数", {count(f.sectors)},
                                     {layout.inside(AidLayout::Top | AidLayout::Left),
                                      layout.inside(AidLayout::Bottom | AidLayout::Left),
                                      layout.inside(AidLayout::Bottom | AidLayout::Right)}));
    if (f.step < f.sectors)
        return;

    const PointF foot(f.firstApex);
    const double height = areas.band.height();
    const double gap = layout.gapPx();
    const double tick = gap * kTickShare;
    // A bracket's middle stands this far from the figure's line it measures, so
    // their edges keep the clearance between them at every weight.
    const double offset = outlinePx / 2 + gap + bracketPx / 2.0;

    // The height stands beside the left side where that clears the circle,
    // and beside the right otherwise: with few sectors the two nearly touch.
    const double leftX = areas.band.left() - offset;
    const bool onLeft = leftX - bracketPx / 2.0 - gap >= f.centre.x() + f.R + outlinePx / 2;
    const double heightX = onLeft ? leftX : areas.band.right() + offset;
    const double inward = onLeft ? tick : -tick;
    const PointF heightTop(heightX, foot.y() - height);
    const PointF heightFoot(heightX, foot.y());
    addBracket(aids, layout, heightTop, heightFoot, PointF(inward, 0), kRadiusColor, bracketPx);
    const double baseY = areas.lower.bottom() + offset;
    const PointF baseLeft(areas.lower.left(), baseY);
    const PointF baseRight(areas.lower.right(), baseY);
    addBracket(aids, layout, baseLeft, baseRight, PointF(0, -tick), ParallelogramFigure::kMovedColor, bracketPx);

    // Text keeps its clearance from a bracket's line, not only from its middle;
    // the label sits beside its bracket, or just past one of its ends.
    const double clearance = gap + bracketPx;
    const double outside = onLeft ? -clearance : clearance;
    // The side of a label's box that faces its bracket.
    const unsigned towards = onLeft ? AidLayout::Right : AidLayout::Left;
    const double clearOfFigure = outlinePx + clearance;
    // Over the top end: above the bulges on the left, in the corner the
    // bulges leave free on the right.
    const AidLayout::Place above =
        onLeft ? AidLayout::Place{PointF(heightX - bracketPx / 2.0, areas.upper.top() - clearOfFigure),
                                  AidLayout::Left | AidLayout::Bottom}
               : AidLayout::Place{PointF(heightX + bracketPx / 2.0, areas.band.top() - clearOfFigure),
                                  AidLayout::Right | AidLayout::Bottom};
    addLabel(aids, layout, heightLabel(),
                                {{PointF(heightX + outside, foot.y() - height / 2), towards | AidLayout::VCenter},
                                 {PointF(heightX + outside, foot.y()), towards | AidLayout::Bottom},
                                 above,
                                 {PointF(heightX - bracketPx / 2.0, foot.y() + clearOfFigure), AidLayout::Left | AidLayout::Top},
                                 {PointF(heightX + inward, baseY + clearance), towards | AidLayout::Top},
                                 {PointF(heightX, areas.upper.top() - clearance), AidLayout::Left | AidLayout::Bottom},
                                 {PointF(heightX + bracketPx / 2.0, areas.upper.top() - clearance),
                                  AidLayout::Right | AidLayout::Bottom}});
    addLabel(aids, layout, baseLabel(), {{PointF(baseLeft.x() / 2 + baseRight.x() / 2, baseY + clearance),
                                          AidLayout::HCenter | AidLayout::Top}});

    if (formulaLines == 0)
        return;
    // Placed whole, so the lines already shown stay put as the rest arrive.
    const std::vector<TextCall> placed =
        layout.placeBlock("面積の公式", lines,
                          {layout.inside(AidLayout::Top | AidLayout::Right),
                           {PointF(2 * f.centre.x() + gap, gap), AidLayout::Left | AidLayout::Top},
                           layout.inside(AidLayout::Bottom | AidLayout::Right)});
    aids.texts.insert(aids.texts.end(), placed.begin(), placed.begin() + std::min<std::size_t>(formulaLines, placed.size()));
}

} // namespace ParallelogramAids

} // namespace core
