#include "SectorLayoutAids.h"

#include "AidLayout.h"
#include "FigureMath.h"
#include "HandFigure.h"
#include "LessonAids.h"
#include "PageView.h"
#include "ParallelogramAids.h"
#include "RealLengths.h"
#include "RectangleFigure.h"
#include "Text.h"
#include "TriangleFigure.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace core {

namespace SectorLayoutAids {

namespace {

using ParallelogramAids::kRadiusColor;
constexpr double kTickShare = 0.5;

RectF widened(const RectF &r, double px) { return r.adjusted(-px, -px, px, px); }

void addLine(LessonAids &aids, PointF from, PointF to, const Color &color, int width)
{
    aids.lines.push_back({from, to, color, width, DrawStyle::Solid});
}

void addTexts(LessonAids &aids, const std::vector<TextCall> &texts)
{
    aids.texts.insert(aids.texts.end(), texts.begin(), texts.end());
}

// A bracket with its ends turned by `tick`, kept clear of the text.
void addBracket(LessonAids &aids, AidLayout &layout, PointF from, PointF to, PointF tick, const Color &color, int width)
{
    addLine(aids, from + tick, from, color, width);
    addLine(aids, from, to, color, width);
    addLine(aids, to, to + tick, color, width);
    layout.avoid(widened(RectF(from, to + tick).normalized().united(RectF(from + tick, to).normalized()), width / 2.0));
}

void addCount(LessonAids &aids, AidLayout &layout, const std::string &count)
{
    addTexts(aids, layout.place({count}, {layout.inside(AidLayout::Top | AidLayout::Left),
                                          layout.inside(AidLayout::Bottom | AidLayout::Left),
                                          layout.inside(AidLayout::Bottom | AidLayout::Right)}));
}

// The formula's lines shown so far, the block placed whole so they stay put
// as the rest arrive.
void addFormula(LessonAids &aids, AidLayout &layout, const std::vector<std::string> &formula, int shown,
                const std::vector<AidLayout::Place> &places)
{
    shown = std::clamp(shown, 0, LessonAids::kFormulaLines);
    if (shown == 0)
        return;
    const std::vector<TextCall> lines = layout.place(formula, places);
    aids.texts.insert(aids.texts.end(), lines.begin(), lines.begin() + std::min<std::size_t>(shown, lines.size()));
}

// A bracket along the finished figure's height, beside it, with its label.
void addHeight(LessonAids &aids, AidLayout &layout, PointF top, PointF foot, bool onLeft,
               const std::vector<std::string> &label, int bracketPx)
{
    const double gap = layout.gapPx();
    const double tick = gap * kTickShare;
    addBracket(aids, layout, top, foot, PointF(onLeft ? tick : -tick, 0), kRadiusColor, bracketPx);
    const double clearance = gap + bracketPx;
    const double x = top.x() + (onLeft ? -clearance : clearance);
    const unsigned towards = onLeft ? AidLayout::Right : AidLayout::Left;
    std::vector<TextCall> texts =
        layout.place(label, {{PointF(x, (top.y() + foot.y()) / 2), towards | AidLayout::VCenter},
                             {PointF(x, foot.y()), towards | AidLayout::Bottom},
                             {PointF(x, top.y()), towards | AidLayout::Top}},
                     towards);
    if (texts.empty())
        texts = layout.place({label.front() + " " + label.back()},
                             {{PointF(top.x(), top.y() - clearance), AidLayout::HCenter | AidLayout::Bottom}});
    addTexts(aids, texts);
}

// A bracket under the finished figure's base, with its label under it.
void addBase(LessonAids &aids, AidLayout &layout, double left, double right, double y, const std::string &label,
             int bracketPx)
{
    const double gap = layout.gapPx();
    addBracket(aids, layout, PointF(left, y), PointF(right, y), PointF(0, -gap * kTickShare),
               ParallelogramFigure::kMovedColor, bracketPx);
    addTexts(aids, layout.place({label}, {{PointF((left + right) / 2, y + gap + bracketPx), AidLayout::HCenter | AidLayout::Top}}));
}

} // namespace

std::string ringCount(int rings) { return "輪の数 " + Text::number(rings); }

std::vector<std::string> triangleHeightLabel() { return {"高さ ＝ 半径"}; }

std::string triangleBaseLabel() { return "底辺 ＝ 円周"; }

const std::vector<std::string> &triangleFormula()
{
    static const std::vector<std::string> kLines = {
        "円の面積 ＝ 三角形の面積 ＝ 底辺 × 高さ ÷ 2",
        "　　　　 ＝ 円周 × 半径 ÷ 2",
        "　　　　 ＝ 半径 × 2 × 3.14（円周率）× 半径 ÷ 2",
        "　　　　 ＝ 半径 × 3.14（円周率）× 半径",
        ParallelogramAids::formula(false).back(),
    };
    return kLines;
}

void addRectangle(LessonAids &aids, AidLayout &layout, const PageView &view)
{
    const RectangleFigure f =
        RectangleFigure::compute(float(view.inner.width()), float(view.inner.height()), view.value, view.step);
    const ParallelogramFigure &c = f.circle;
    const int markPx = view.weight.px(ParallelogramAids::kMarkWidthPx);
    for (const RectangleFigure::Piece &p : f.moved)
        aids.arcs.push_back({p.apex, float(c.R), std::abs(p.start), std::abs(p.end), ParallelogramFigure::kMovedColor, markPx});
    addLine(aids, c.centre, c.centre - Point(0, c.R), kRadiusColor, markPx);
    if (c.step > 0)
        addLine(aids, f.firstFoot, f.firstFoot - PointF(0, c.R), kRadiusColor, markPx);
    if (c.R == 0)
        return;

    const double outlinePx = view.weight.px(ParallelogramFigure::kOutlineWidthPx);
    const int bracketPx = view.weight.px(ParallelogramAids::kBracketWidthPx);
    // Where the finished figure lies, its bulges included.
    const RectF figure(PointF(f.firstFoot.x(), f.firstFoot.y() - c.R), PointF(f.lastFoot.x(), f.firstFoot.y() + c.R * (1 - c.c)));
    layout.avoidDisc(c.centre, c.R + outlinePx);
    layout.avoid(widened(figure, outlinePx));
    addCount(aids, layout, ParallelogramAids::count(c.sectors));
    if (c.step < c.sectors)
        return;

    const double gap = layout.gapPx();
    const double offset = outlinePx / 2 + gap + bracketPx / 2.0;
    // Beside the left end where that clears the circle, else beside the right.
    const double leftX = figure.left() - offset;
    const bool onLeft = leftX - bracketPx / 2.0 - gap >= c.centre.x() + c.R + outlinePx / 2;
    const double x = onLeft ? leftX : figure.right() + offset;
    addHeight(aids, layout, PointF(x, f.firstFoot.y() - c.R), PointF(x, f.firstFoot.y()), onLeft,
              {ParallelogramAids::heightLabel()}, bracketPx);
    addBase(aids, layout, f.firstFoot.x(), f.lastFoot.x(), figure.bottom() + offset, ParallelogramAids::baseLabel(),
            bracketPx);
    addFormula(aids, layout, ParallelogramAids::formula(view.diameterFormula), view.formulaLines,
               {layout.inside(AidLayout::Top | AidLayout::Right),
                {PointF(2 * c.centre.x() + gap, gap), AidLayout::Left | AidLayout::Top},
                layout.inside(AidLayout::Bottom | AidLayout::Right)});
}

void addTriangle(LessonAids &aids, AidLayout &layout, const PageView &view)
{
    const TriangleFigure f =
        TriangleFigure::compute(float(view.inner.width()), float(view.inner.height()), view.value, view.step);
    if (f.r <= 0)
        return;
    const int markPx = view.weight.px(ParallelogramAids::kMarkWidthPx);
    const double outlinePx = view.weight.px(TriangleFigure::kOutlineWidthPx);
    addLine(aids, f.centre, f.centre - PointF(0, f.r), kRadiusColor, markPx);
    // The outermost ring's strip lies along the base: it was the circumference.
    if (!f.strips.empty())
        addLine(aids, PointF(f.strips.front().left(), f.baseMiddle.y()), PointF(f.strips.front().right(), f.baseMiddle.y()),
                ParallelogramFigure::kMovedColor, markPx);
    layout.avoidDisc(f.centre, f.r + outlinePx);
    for (const RectF &strip : f.strips)
        layout.avoid(widened(strip, outlinePx));
    addCount(aids, layout, ringCount(f.rings));
    if (f.step < f.rings)
        return;

    // The straight sides the steps close in on, and the height from the apex,
    // named beside its top where the slopes leave room.
    const int thinPx = view.weight.px(TriangleFigure::kThinWidthPx);
    addLine(aids, f.baseLeft(), f.apex(), AidLayout::kTextColor, thinPx);
    addLine(aids, f.apex(), f.baseRight(), AidLayout::kTextColor, thinPx);
    addLine(aids, f.apex(), f.baseMiddle, kRadiusColor, markPx);
    layout.avoid(widened(RectF(f.apex(), f.baseMiddle), markPx / 2.0));
    const double gap = layout.gapPx();
    const std::vector<std::string> height = triangleHeightLabel();
    const PointF beside = f.apex() + PointF(gap + markPx, -gap - outlinePx);
    addTexts(aids, layout.place({height.front() + " " + height.back()},
                                {{beside, AidLayout::Left | AidLayout::Bottom},
                                 {beside - PointF(2 * (gap + markPx), 0), AidLayout::Right | AidLayout::Bottom}}));
    const int bracketPx = view.weight.px(ParallelogramAids::kBracketWidthPx);
    addBase(aids, layout, f.baseLeft().x(), f.baseRight().x(), f.baseMiddle.y() + outlinePx / 2 + gap + bracketPx / 2.0,
            triangleBaseLabel(), bracketPx);
    addFormula(aids, layout, triangleFormula(), view.formulaLines,
               {layout.inside(AidLayout::Top | AidLayout::Right), layout.inside(AidLayout::Top | AidLayout::Left)});
}

void addHand(LessonAids &aids, AidLayout &layout, const PageView &view)
{
    const HandFigure f = HandFigure::compute(float(view.inner.width()), float(view.inner.height()), view.value,
                                             view.hand.value_or(SectorArrangement{}));
    if (f.R <= 0)
        return;
    addLine(aids, f.centre, f.centre - PointF(0, f.R), kRadiusColor, view.weight.px(ParallelogramAids::kMarkWidthPx));
    layout.avoidDisc(f.centre, f.R + view.weight.px(ParallelogramFigure::kOutlineWidthPx));
    addCount(aids, layout, ParallelogramAids::count(f.geometry.sectors));
}

void addTriangleLengths(LessonAids &aids, AidLayout &layout, const PageView &view)
{
    const RealLengths lengths(view.radiusCm);
    std::vector<std::string> lines{lengths.radius()};
    if (view.step >= 2 * view.value && !view.hand) {
        lines = {"底辺 " + RealLengths::measure(2 * std::numbers::pi * view.radiusCm, RealLengths::kCm),
                 "高さ " + RealLengths::measure(view.radiusCm, RealLengths::kCm)};
        if (view.formulaLines >= LessonAids::kFormulaLines)
            for (const std::string &line : lengths.areaFormula(false))
                lines.push_back(line);
    }
    const std::vector<TextCall> texts =
        layout.place(lines, {layout.inside(AidLayout::Bottom | AidLayout::Left), layout.inside(AidLayout::Top | AidLayout::Left),
                             layout.inside(AidLayout::Bottom | AidLayout::Right)});
    addTexts(aids, texts);
}

} // namespace SectorLayoutAids

} // namespace core
