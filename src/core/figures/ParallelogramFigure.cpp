#include "ParallelogramFigure.h"

#include "DrawOps.h"
#include "FigureMath.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace core {

namespace {

constexpr double kTwoPi = 2 * kPi;
// The sectors share slightly more than a full turn, so the last one never
// lands exactly on the first radius.
constexpr double kSharedDegrees = 360.01;
constexpr double kWidthInRadii = 5.8;
constexpr double kWidthAllowancePx = 4;
constexpr double kHeightAllowancePx = 2;
constexpr int kLeftMarginPx = 2;
constexpr double kFirstApexInRadii = 2.75;
constexpr double kFirstApexExtraPx = 4;
// A one-pixel outline's centre may lie on the last column, not beyond.
constexpr double kOutlinePx = 1;

double sectorAngle(int half) { return (kSharedDegrees / (2 * half)) * (kPi / kDegreesPerHalfTurn); }

Int16 firstApexX(int radius) { return round16(kFirstApexInRadii * radius + kFirstApexExtraPx); }

// k = 0: the lower half's sectors, point down; 1: the upper half's, point up.
Point movedApex(int k, int m, int radius, double s, double c, Point firstApex)
{
    return Point(round16(k * radius * s + 2 * radius * s * m + firstApex.x()), round16(firstApex.y() - k * radius * c));
}

// sin(θ/2) for every V, worked out once rather than on every paint.
double halfSine(int half)
{
    static const auto table = [] {
        std::array<double, ParallelogramFigure::kMaxHalf + 1> sines{};
        for (int v = ParallelogramFigure::kMinHalf; v <= ParallelogramFigure::kMaxHalf; ++v)
            sines[v] = std::sin(sectorAngle(v) / 2);
        return sines;
    }();
    return table.at(half);
}

// The finished figure ends on the right with the last point-up sector: its
// apex as drawn, plus half its chord.
bool finishedFigureFits(int radius, double lastColumn)
{
    for (int half = ParallelogramFigure::kMinHalf; half <= ParallelogramFigure::kMaxHalf; ++half) {
        const double s = halfSine(half);
        const Point apex = movedApex(1, half - 1, radius, s, 0, Point(firstApexX(radius), 0));
        if (apex.x() + radius * s > lastColumn)
            return false;
    }
    return true;
}

// The width budget W / 5.8 - 4 is a little short of the finished figure's
// 5.89 radii, which shows in wide pictures. There the radius shrinks to what
// fits for every V alike, so the circle keeps its size when V changes.
Int16 fittingRadius(Int16 radius, float scaleWidth)
{
    const double lastColumn = double(scaleWidth) - kOutlinePx;
    while (radius > 0 && !finishedFigureFits(radius, lastColumn))
        radius = Int16(radius - 2);
    return radius;
}

} // namespace

ParallelogramFigure ParallelogramFigure::compute(float scaleWidth, float scaleHeight, int half, int step)
{
    ParallelogramFigure f;
    f.a = round16(scaleWidth / kWidthInRadii - kWidthAllowancePx);
    f.b = round16(scaleHeight / 2.0 - kHeightAllowancePx);
    f.R0 = MaxInt(1, MinInt(f.b, f.a));
    f.R = fittingRadius(saturate16(2 * floor16(f.R0 / 2.0)), scaleWidth);
    f.centre = Point(f.R + kLeftMarginPx, round16(scaleHeight / 2.0));
    f.half = half;
    f.sectors = 2 * half;
    f.step = std::clamp(step, 0, f.sectors);
    f.theta = sectorAngle(half);

    for (int i = 0; i <= f.sectors; ++i)
        f.radiusEnds.emplace_back(round16(f.R * std::cos(i * f.theta) + f.centre.x()),
                                  round16(f.R * std::sin(i * f.theta) + f.centre.y()));

    f.firstApex = Point(firstApexX(f.R), round16(f.R / 2.0 + f.centre.y()));
    f.s = std::sin(f.theta / 2);
    f.c = std::cos(f.theta / 2);
    for (int j = 0; j < f.step; ++j) {
        const int k = j / half; // 0: lower half, point down; 1: upper half, point up
        const int m = j % half;
        const double axis = (-0.5 - k) * kPi;
        f.moved.push_back({movedApex(k, m, f.R, f.s, f.c, f.firstApex), k == 1, float(axis + f.theta / 2),
                           float(axis - f.theta / 2)});
    }
    return f;
}

void ParallelogramFigure::paint(DrawOps &ops, LineWeight weight, bool emptiedRadii) const
{
    paintCircle(ops, weight, emptiedRadii);
    paintMovedSectors(ops, weight);
    ops.setFillStyle(FillStyle::Transparent);
}

void ParallelogramFigure::paintCircle(DrawOps &ops, LineWeight weight, bool emptiedRadii) const
{
    paintRemainingHalves(ops);
    paintCircleOutline(ops, weight);
    paintRadiusLines(ops, weight, emptiedRadii);
}

// Angles below are taken 2π down so that both ends are negative: closed,
// filled sectors.
void ParallelogramFigure::paintRemainingHalves(DrawOps &ops) const
{
    ops.setFillStyle(FillStyle::Solid);
    ops.setFillColor(kLowerFill);
    ops.setDrawStyle(DrawStyle::Invisible);
    if (step < half)
        ops.Circle(centre, R, std::nullopt, float(half * theta - kTwoPi), float(step * theta - kTwoPi));

    ops.setFillColor(kUpperFill);
    const int upperEnd = std::max(step, half);
    ops.Circle(centre, R, std::nullopt, float(-kTwoPi), float(upperEnd * theta - kTwoPi));
}

void ParallelogramFigure::paintCircleOutline(DrawOps &ops, LineWeight weight) const
{
    ops.setFillStyle(FillStyle::Transparent);
    ops.setForeColor(kRemainingColor);
    ops.setDrawStyle(DrawStyle::Solid);
    ops.setDrawWidth(weight.px(kOutlineWidthPx));
    if (step == 0) {
        ops.Circle(centre, R);
    } else if (step < sectors) {
        const double boundary = kTwoPi - step * theta;
        ops.Circle(centre, R, std::nullopt, 0.0f, float(boundary));
        ops.setForeColor(kMovedColor);
        ops.Circle(centre, R, std::nullopt, float(boundary), float(kTwoPi));
    } else {
        ops.setForeColor(kMovedColor);
        ops.Circle(centre, R);
    }
}

void ParallelogramFigure::paintRadiusLines(DrawOps &ops, LineWeight weight, bool emptiedRadii) const
{
    ops.setFillStyle(FillStyle::Transparent);
    ops.setForeColor(kMovedColor);
    ops.setDrawStyle(DrawStyle::Solid);
    ops.setDrawWidth(weight.px(kThinWidthPx));
    for (int i = 0; i <= sectors; ++i) {
        if (i == step && i != sectors)
            ops.setForeColor(kRemainingColor);
        // Radius i borders sectors i - 1 and i: from `step` on, one of them remains.
        if (emptiedRadii || (i >= step && step < sectors))
            ops.Line(centre, radiusEnds[i]);
    }
}

void ParallelogramFigure::paintMovedSectors(DrawOps &ops, LineWeight weight) const
{
    ops.setFillStyle(FillStyle::Solid);
    ops.setFillColor(kLowerFill);
    ops.setForeColor(kRemainingColor);
    ops.setDrawStyle(DrawStyle::Solid);
    ops.setDrawWidth(weight.px(kThinWidthPx));
    for (int j = 0; j < int(moved.size()); ++j) {
        if (j == half)
            ops.setFillColor(kUpperFill);
        ops.Circle(moved[j].apex, R, std::nullopt, moved[j].start, moved[j].end);
    }
}

Similarity ParallelogramFigure::frame(float scaleWidth, float scaleHeight)
{
    const ParallelogramFigure f = compute(scaleWidth, scaleHeight, kMinHalf, 0);
    return {PointF(0, f.centre.y()), double(f.R)};
}

} // namespace core
