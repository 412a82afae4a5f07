#include "ParallelogramAids.h"

#include "AidLayout.h"
#include "FigureMath.h"
#include "LessonAids.h"
#include "PageView.h"
#include "ParallelogramFigure.h"

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

// The area formula, in the order it is built. The ideographic spaces are as
// wide as 面積, so every = stands in one column.
const std::vector<std::string> &formula()
{
    static const std::vector<std::string> kLines = {
        "面積 = 底辺 × 高さ",
        "　　 = 円周の半分 × 半径",
        "　　 = 直径 × 3.14 ÷ 2 × 半径",
        "　　 = 半径 × 半径 × 3.14",
    };
    return kLines;
}

} // namespace

void add(LessonAids &aids, AidLayout &layout, const PageView &view)
{
    const LineWeight weight = view.weight;
    const int formulaLines = std::clamp(view.formulaLines, 0, LessonAids::kFormulaLines);
    const ParallelogramFigure f =
        ParallelogramFigure::compute(float(view.inner.width()), float(view.inner.height()), view.value, view.step);
    addMarks(aids, f, weight);
    if (f.step < f.sectors || f.R == 0)
        return;

    const double lean = f.R * f.s;
    const double height = f.R * f.c;
    const PointF bottomLeft(f.firstApex);
    const double top = bottomLeft.y() - f.R;                // highest point of the point-down arcs
    const double bottom = bottomLeft.y() - height + f.R;    // lowest point of the point-up arcs
    const double baseEnd = bottomLeft.x() + f.sectors * lean;
    const double outlinePx = weight.px(ParallelogramFigure::kOutlineWidthPx);
    const double bracketPx = weight.px(kBracketWidthPx);
    const double gap = layout.gapPx();
    const double tick = gap * kTickShare;

    layout.avoidDisc(f.centre, f.R + outlinePx);
    layout.avoid(widened(RectF(PointF(bottomLeft.x() - lean, top), PointF(baseEnd, bottom)), outlinePx));

    // Brackets: the height beside the slanted left side, the base under the bulges.
    const double heightX = bottomLeft.x() - lean - gap;
    const PointF heightTop(heightX, bottomLeft.y() - height);
    const PointF heightFoot(heightX, bottomLeft.y());
    addLine(aids, heightTop + PointF(tick, 0), heightTop, kRadiusColor, bracketPx);
    addLine(aids, heightTop, heightFoot, kRadiusColor, bracketPx);
    addLine(aids, heightFoot, heightFoot + PointF(tick, 0), kRadiusColor, bracketPx);
    const double baseY = bottom + gap;
    const PointF baseLeft(bottomLeft.x(), baseY);
    const PointF baseRight(baseEnd, baseY);
    addLine(aids, baseLeft - PointF(0, tick), baseLeft, ParallelogramFigure::kMovedColor, bracketPx);
    addLine(aids, baseLeft, baseRight, ParallelogramFigure::kMovedColor, bracketPx);
    addLine(aids, baseRight, baseRight - PointF(0, tick), ParallelogramFigure::kMovedColor, bracketPx);
    layout.avoid(widened(RectF(heightTop, heightFoot + PointF(tick, 0)), bracketPx / 2));
    layout.avoid(widened(RectF(baseLeft - PointF(0, tick), baseRight), bracketPx / 2));

    // Text keeps its clearance from a bracket's line, not only from its middle.
    const double clearance = gap + bracketPx;
    const std::string heightWord = "高さ", heightIs = "≈ 半径";
    const double heightMiddle = bottomLeft.y() - height / 2;
    std::vector<TextCall> heightLabel =
        layout.place({heightWord, heightIs},
                     {{PointF(heightX - clearance, heightMiddle), AidLayout::Right | AidLayout::VCenter},
                      {PointF(heightX - clearance, bottomLeft.y()), AidLayout::Right | AidLayout::Bottom},
                      {PointF(heightX + tick, baseY + clearance), AidLayout::Right | AidLayout::Top}},
                     AidLayout::Right);
    if (heightLabel.empty())
        heightLabel = layout.place({heightWord + " " + heightIs},
                                   {{PointF(heightX, top - clearance), AidLayout::Left | AidLayout::Bottom}});
    aids.texts.insert(aids.texts.end(), heightLabel.begin(), heightLabel.end());
    for (const TextCall &t : layout.place({"底辺 ≈ 円周の半分"},
                                          {{PointF((bottomLeft.x() + baseEnd) / 2, baseY + clearance),
                                            AidLayout::HCenter | AidLayout::Top}}))
        aids.texts.push_back(t);

    if (formulaLines == 0)
        return;
    // Placed whole, so the lines already shown stay put as the rest arrive.
    const std::vector<TextCall> lines =
        layout.place(formula(), {layout.inside(AidLayout::Top | AidLayout::Right),
                                 {PointF(2 * f.centre.x() + gap, gap), AidLayout::Left | AidLayout::Top},
                                 layout.inside(AidLayout::Bottom | AidLayout::Right)});
    aids.texts.insert(aids.texts.end(), lines.begin(), lines.begin() + std::min<std::size_t>(formulaLines, lines.size()));
}

} // namespace ParallelogramAids

} // namespace core
