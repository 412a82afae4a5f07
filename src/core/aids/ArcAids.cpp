#include "ArcAids.h"

#include "AidLayout.h"
#include "AidWords.h"
#include "ArcFigure.h"
#include "LessonAids.h"
#include "PageView.h"
#include "ParallelogramAids.h"
#include "RealLengths.h"
#include "SquaredPaper.h"
#include "Text.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

namespace core {

namespace ArcAids {

namespace {

constexpr int kPercentDecimals = 1;
constexpr double kPercent = 100;
constexpr int kHalfTurnDegrees = 180;
// The centre's dot, as a share of the text size.
constexpr double kDotShare = 0.25;
const Color kDiameterColor{255, 200, 40};
const Color kCentreColor{255, 255, 255};
const Color kCircumferenceColor{0, 255, 255};

std::string fraction(int degrees)
{
    const int common = std::gcd(degrees, ArcFigure::kMaxDegrees);
    const int numerator = degrees / common;
    const int denominator = ArcFigure::kMaxDegrees / common;
    return denominator == 1 ? Text::number(numerator) : Text::number(numerator) + "/" + Text::number(denominator);
}

// One decimal, 約 where rounded: 25 %, 約 33.3 %.
std::string percentage(int degrees)
{
    return AidWords::rounded(kPercent * degrees / ArcFigure::kMaxDegrees, kPercentDecimals);
}

} // namespace

// As the class names them: 半円 at 180°, the whole circle at 360°, the angle alone at 0°.
std::vector<std::string> readouts(int degrees)
{
    const std::string angle = Text::number(degrees) + "°";
    if (degrees <= 0)
        return {angle};
    if (degrees >= ArcFigure::kMaxDegrees)
        return {"円全体（" + angle + "）＝ 100 %"};
    const std::string share = "円の " + fraction(degrees) + " ＝ " + percentage(degrees) + " %";
    if (degrees == kHalfTurnDegrees)
        return {"半円（中心角 " + angle + "）", share};
    return {"おうぎ形の中心角 " + angle, share};
}

namespace {

RectF around(PointF from, PointF to, double px)
{
    return RectF(PointF(std::min(from.x(), to.x()), std::min(from.y(), to.y())),
                 PointF(std::max(from.x(), to.x()), std::max(from.y(), to.y())))
        .adjusted(-px, -px, px, px);
}

void addTexts(LessonAids &aids, const std::vector<TextCall> &texts)
{
    aids.texts.insert(aids.texts.end(), texts.begin(), texts.end());
}

// The whole circle named as the class first meets it: a diameter across, a
// radius down, the centre where they meet. Their words go on the disc, in
// the quarters the lines leave free, before the disc is kept clear.
void addNames(LessonAids &aids, AidLayout &layout, const PageView &view, const ArcFigure &f)
{
    const PointF c = f.centre;
    const double r = f.radius;
    const int markPx = view.weight.px(ParallelogramAids::kMarkWidthPx);
    // A word keeps its clearance from the lines it stands by.
    const double gap = layout.gapPx() + markPx;
    const PointF left = c - PointF(r, 0), right = c + PointF(r, 0), foot = c + PointF(0, r);
    aids.lines.push_back({left, right, kDiameterColor, markPx, DrawStyle::Solid});
    aids.lines.push_back({c, foot, ParallelogramAids::kRadiusColor, markPx, DrawStyle::Solid});
    const float dotPx = float(layout.fullPx() * kDotShare);
    // An arc that ends where it starts goes the whole way round.
    aids.arcs.push_back({c, dotPx / 2, 0, 0, kCentreColor, int(std::ceil(dotPx))});
    layout.avoid(around(left, right, markPx / 2.0));
    layout.avoid(around(c, foot, markPx / 2.0));
    layout.avoid(around(c, c, dotPx));

    const auto name = [&](const std::string &word, const std::vector<AidLayout::Place> &places) {
        const std::vector<TextCall> texts = layout.place({word}, places);
        if (texts.empty())
            layout.leftOut(word);
        addTexts(aids, texts);
    };
    name("直径", {{PointF(c.x() - r / 2, c.y() - gap), AidLayout::HCenter | AidLayout::Bottom},
                 {PointF(c.x() + r / 2, c.y() - gap), AidLayout::HCenter | AidLayout::Bottom}});
    name(view.realLengths ? RealLengths(view.radiusCm).radius() : "半径",
         {{PointF(c.x() + gap, c.y() + r / 2), AidLayout::Left | AidLayout::VCenter},
          {PointF(c.x() - gap, c.y() + r / 2), AidLayout::Right | AidLayout::VCenter}});
    name("中心", {{PointF(c.x() - gap - dotPx, c.y() + gap + dotPx), AidLayout::Right | AidLayout::Top},
                 {PointF(c.x() + gap + dotPx, c.y() + gap + dotPx), AidLayout::Left | AidLayout::Top}});
    layout.avoidDisc(f.centre, f.radius + markPx);
    // The whole line traced, its name just off it on a diagonal a corner leaves room on.
    aids.arcs.push_back({c, float(r), 0, 0, kCircumferenceColor, markPx});
    const double off = (r + gap) * std::numbers::sqrt2 / 2;
    name("円周", {{c + PointF(-off, -off), AidLayout::Right | AidLayout::Bottom},
                 {c + PointF(off, -off), AidLayout::Left | AidLayout::Bottom},
                 {c + PointF(-off, off), AidLayout::Right | AidLayout::Top},
                 {c + PointF(off, off), AidLayout::Left | AidLayout::Top}});
}

} // namespace

int countedQuarters(const PageView &view)
{
    const int quarterDegrees = ArcFigure::kMaxDegrees / SquaredPaper::kQuarters;
    return view.value % quarterDegrees == 0 ? view.value / quarterDegrees : 0;
}

void add(LessonAids &aids, AidLayout &layout, const PageView &view)
{
    const int degrees = view.value;
    const ArcFigure f = ArcFigure::compute(float(view.inner.width()), float(view.inner.height()), degrees);
    if (degrees >= ArcFigure::kMaxDegrees && f.radius > 0)
        addNames(aids, layout, view, f);
    else
        layout.avoidDisc(f.centre, f.radius + view.weight.px(ArcFigure::kOutlineWidthPx));
    addTexts(aids, layout.placeBlock("中心角", readouts(degrees),
                                     {layout.inside(AidLayout::Top | AidLayout::Left),
                                      layout.inside(AidLayout::Bottom | AidLayout::Left),
                                      layout.inside(AidLayout::Top | AidLayout::Right)}));
}

} // namespace ArcAids

} // namespace core
