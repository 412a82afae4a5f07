#include "TriangleFigure.h"

#include "DrawOps.h"
#include "FigureMath.h"
#include "ParallelogramFigure.h"

#include <algorithm>
#include <cmath>

namespace core {

namespace {

constexpr double kTwoPi = 2 * kPi;
constexpr double kSideMarginPx = 4;
// Below the base, room for its bracket and label; between the circle and the
// apex, room for a line of the aids. Shares of the picture's height and of
// its smaller side.
constexpr double kBelowShare = 0.12;
constexpr double kGapShare = 0.08;
constexpr double kHeightInRadii = 3;

} // namespace

double TriangleFigure::halfBase() const { return kPi * r; }

TriangleFigure TriangleFigure::compute(float scaleWidth, float scaleHeight, int half, int step)
{
    TriangleFigure f;
    f.rings = 2 * std::clamp(half, ParallelogramFigure::kMinHalf, ParallelogramFigure::kMaxHalf);
    f.step = std::clamp(step, 0, f.rings);
    const double below = kBelowShare * scaleHeight;
    const double gap = std::round(kGapShare * std::min(scaleWidth, scaleHeight));
    const double byWidth = (scaleWidth - 2 * kSideMarginPx) / kTwoPi;
    const double byHeight = (scaleHeight - below - gap - 2 * kSideMarginPx) / kHeightInRadii;
    // Whole pixels, so the circle and the triangle's height land on pixel rows.
    f.r = std::max(0.0, std::floor(std::min(byWidth, byHeight)));
    f.ringWidth = f.r / f.rings;
    const double block = kHeightInRadii * f.r + gap + below;
    const double top = std::round((scaleHeight - block) / 2) + kSideMarginPx;
    const double middle = std::round(scaleWidth / 2.0);
    f.centre = PointF(middle, top + f.r);
    f.baseMiddle = PointF(middle, top + kHeightInRadii * f.r + gap);
    for (int k = 0; k < f.step; ++k) {
        const int ring = f.rings - 1 - k;
        const double length = kTwoPi * (ring + 0.5) * f.ringWidth;
        const double bottom = f.baseMiddle.y() - k * f.ringWidth;
        f.strips.emplace_back(PointF(middle - length / 2, bottom - f.ringWidth), PointF(middle + length / 2, bottom));
    }
    return f;
}

Color TriangleFigure::fillOf(int ring)
{
    return ring % 2 == 0 ? ParallelogramFigure::kLowerFill : ParallelogramFigure::kUpperFill;
}

// Rings alternate between the sectors' two colours, so each strip shows which
// ring it was. In the circle every other ring is a stroke as wide as a ring
// over the disc, which costs a thin outline rather than a disc a ring.
void TriangleFigure::paint(DrawOps &ops, LineWeight weight) const
{
    const int outline = weight.px(kOutlineWidthPx);
    ops.setFillStyle(FillStyle::Transparent);
    ops.setDrawStyle(DrawStyle::Solid);
    ops.setDrawWidth(outline);
    // The circumference already unrolled, where it was.
    if (step > 0) {
        ops.setForeColor(ParallelogramFigure::kMovedColor);
        ops.Circle(centre, float(r));
    }
    const int left = rings - step;
    if (left > 0) {
        ops.setFillStyle(FillStyle::Solid);
        ops.setFillColor(fillOf(0));
        ops.setDrawStyle(DrawStyle::Invisible);
        ops.Circle(centre, float(left * ringWidth));
        ops.setFillStyle(FillStyle::Transparent);
        ops.setDrawStyle(DrawStyle::Solid);
        ops.setDrawWidth(std::max(1, int(std::lround(ringWidth))));
        ops.setForeColor(fillOf(1));
        for (int ring = 1; ring < left; ring += 2)
            ops.Circle(centre, float((ring + 0.5) * ringWidth));
        ops.setDrawWidth(outline);
        ops.setForeColor(ParallelogramFigure::kRemainingColor);
        ops.Circle(centre, float(left * ringWidth));
    }
    for (int k = 0; k < int(strips.size()); ++k)
        ops.Box(strips[std::size_t(k)], fillOf(rings - 1 - k));
}

} // namespace core
