#include "SectorCircle.h"

#include "DrawOps.h"
#include "FigureMath.h"
#include "ParallelogramFigure.h"

#include <cmath>

namespace core {

namespace {

constexpr double kTwoPi = 2 * kPi;

// Into (0, 2π]: a Circle angle of zero could not carry its radius line.
float turn(double angle)
{
    angle = std::fmod(angle, kTwoPi);
    return float(angle <= 0 ? angle + kTwoPi : angle);
}

} // namespace

void SectorCircle::paint(DrawOps &ops, LineWeight weight) const
{
    const int sectors = int(out.size());
    const int half = sectors / 2;
    // Sector j lies counter-clockwise from 2π − (j + 1)θ to 2π − jθ.
    const auto from = [this](int j) { return kTwoPi - (j + 1) * theta; };
    const auto to = [this](int j) { return kTwoPi - j * theta; };
    ops.setFillStyle(FillStyle::Solid);
    ops.setDrawStyle(DrawStyle::Invisible);
    for (int j = 0; j < sectors; ++j)
        if (!out[std::size_t(j)]) {
            ops.setFillColor(j < half ? ParallelogramFigure::kLowerFill : ParallelogramFigure::kUpperFill);
            ops.Circle(centre, R, std::nullopt, -turn(from(j)), -turn(to(j)));
        }
    ops.setFillStyle(FillStyle::Transparent);
    ops.setDrawStyle(DrawStyle::Solid);
    ops.setDrawWidth(weight.px(ParallelogramFigure::kOutlineWidthPx));
    for (int j = 0; j < sectors; ++j)
        ops.Circle(centre, R,
                   out[std::size_t(j)] ? ParallelogramFigure::kMovedColor : ParallelogramFigure::kRemainingColor,
                   turn(from(j)), turn(to(j)));
    ops.setDrawWidth(weight.px(ParallelogramFigure::kThinWidthPx));
    for (int i = 0; i <= sectors; ++i) {
        const bool beside = (i < sectors && !out[std::size_t(i)]) || (i > 0 && !out[std::size_t(i - 1)]);
        ops.setForeColor(beside ? ParallelogramFigure::kRemainingColor : ParallelogramFigure::kMovedColor);
        ops.Line(centre, centre + PointF(std::cos(i * theta), std::sin(i * theta)) * R);
    }
}

} // namespace core
