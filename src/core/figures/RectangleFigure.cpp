#include "RectangleFigure.h"

#include "DrawOps.h"
#include "FigureMath.h"

namespace core {

namespace {

constexpr double kUpright = kPi / 2;

} // namespace

RectangleFigure RectangleFigure::compute(float scaleWidth, float scaleHeight, int half, int step)
{
    RectangleFigure f;
    f.circle = ParallelogramFigure::compute(scaleWidth, scaleHeight, half, step);
    const ParallelogramFigure &c = f.circle;
    const std::vector<ParallelogramFigure::MovedSector> places =
        ParallelogramFigure::compute(scaleWidth, scaleHeight, half, c.sectors).moved;
    if (places.empty())
        return f;
    // The far half meets the last sector's edge exactly, wherever that sector's
    // apex was rounded to.
    const PointF last = places.back().apex;
    f.firstFoot = PointF(places.front().apex);
    f.lastFoot = last + PointF(c.R * c.s, c.R * c.c);
    const float lowerSide = float(-kUpright + c.theta / 2);
    const float lowerOther = float(-kUpright - c.theta / 2);
    for (int j = 0; j < c.step; ++j) {
        const Color fill = j < c.half ? ParallelogramFigure::kLowerFill : ParallelogramFigure::kUpperFill;
        if (j == 0) {
            f.moved.push_back({f.firstFoot, lowerSide, float(-kUpright), fill});
            f.moved.push_back({f.lastFoot, float(-kUpright), lowerOther, fill});
            continue;
        }
        f.moved.push_back({PointF(places[j].apex), places[j].start, places[j].end, fill});
    }
    return f;
}

void RectangleFigure::paint(DrawOps &ops, LineWeight weight) const
{
    circle.paintCircle(ops, weight);
    ops.setFillStyle(FillStyle::Solid);
    ops.setForeColor(ParallelogramFigure::kRemainingColor);
    ops.setDrawStyle(DrawStyle::Solid);
    ops.setDrawWidth(weight.px(ParallelogramFigure::kThinWidthPx));
    for (const Piece &p : moved) {
        ops.setFillColor(p.fill);
        ops.Circle(p.apex, float(circle.R), std::nullopt, p.start, p.end);
    }
    ops.setFillStyle(FillStyle::Transparent);
}

} // namespace core
