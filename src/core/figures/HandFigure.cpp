#include "HandFigure.h"

#include "DrawOps.h"
#include "FigureMath.h"
#include "ParallelogramFigure.h"

#include <algorithm>
#include <cmath>

namespace core {

namespace {

constexpr double kTwoPi = 2 * kPi;
constexpr double kArcUp = kPi / 2;
constexpr double kArcDown = 3 * kPi / 2;

// Into (0, 2π]: a Circle angle of zero could not carry its radius line.
double turn(double angle)
{
    angle = std::fmod(angle, kTwoPi);
    return angle <= 0 ? angle + kTwoPi : angle;
}

// On the screen, y downwards.
PointF direction(double angle) { return {std::cos(angle), -std::sin(angle)}; }

// Into [−π, π].
double difference(double a, double b) { return std::remainder(a - b, kTwoPi); }

double angleOf(PointF d) { return std::atan2(-d.y(), d.x()); }

} // namespace

double HandFigure::Geometry::homeAxis(int sector) const { return kTwoPi - (sector + 0.5) * theta; }

double HandFigure::Geometry::upright(int sector) const { return sector < sectors / 2 ? kArcDown : kArcUp; }

std::array<PointF, 3> HandFigure::Geometry::vertices(const SectorPose &pose) const
{
    const double axis = pose.axis();
    return {pose.apex, pose.apex + direction(axis - theta / 2), pose.apex + direction(axis + theta / 2)};
}

int HandFigure::Geometry::sectorAt(PointF units) const
{
    const PointF d = units - centre;
    if (!usable() || d.length() > 1)
        return -1;
    const double ccw = std::fmod(angleOf(d) + kTwoPi, kTwoPi);
    return std::clamp(int(std::floor((kTwoPi - ccw) / theta)), 0, sectors - 1);
}

bool HandFigure::Geometry::contains(const SectorPose &pose, PointF units, double reach) const
{
    const PointF d = units - pose.apex;
    const double length = d.length();
    if (length > 1 + reach)
        return false;
    if (length <= reach)
        return true;
    const double widened = reach > 0 ? std::asin(std::min(1.0, reach / length)) : 0;
    return std::abs(difference(angleOf(d), pose.axis())) <= theta / 2 + widened;
}

HandFigure::Geometry HandFigure::geometryOf(float scaleWidth, float scaleHeight, int half)
{
    const ParallelogramFigure f = ParallelogramFigure::compute(scaleWidth, scaleHeight, half, 0);
    Geometry g;
    g.frame = ParallelogramFigure::frame(scaleWidth, scaleHeight);
    g.theta = f.theta;
    g.sectors = f.sectors;
    if (g.frame.usable())
        g.centre = g.frame.unmap(PointF(f.centre));
    return g;
}

Color HandFigure::fillOf(int sector, int sectors)
{
    return sector < sectors / 2 ? ParallelogramFigure::kLowerFill : ParallelogramFigure::kUpperFill;
}

HandFigure HandFigure::compute(float scaleWidth, float scaleHeight, int half, const SectorArrangement &arrangement)
{
    HandFigure f;
    f.geometry = geometryOf(scaleWidth, scaleHeight, half);
    const Geometry &g = f.geometry;
    if (!g.usable())
        return f;
    f.R = float(g.frame.scale);
    f.centre = g.frame.map(g.centre);
    const bool matches = arrangement.sectors() == g.sectors;
    f.out.assign(std::size_t(g.sectors), false);
    const auto piece = [&](PointF apex, double axis, int sector) {
        return Piece{apex, float(-turn(axis - g.theta / 2)), float(-turn(axis + g.theta / 2)), fillOf(sector, g.sectors)};
    };
    for (int s = 0; s < g.sectors; ++s) {
        f.out[std::size_t(s)] = matches && arrangement.out(s);
        if (!f.out[std::size_t(s)])
            f.home.push_back(piece(f.centre, g.homeAxis(s), s));
    }
    if (!matches)
        return f;
    for (const int s : arrangement.stack)
        if (arrangement.out(s)) {
            const SectorPose &pose = *arrangement.poses[std::size_t(s)];
            f.placed.push_back(piece(g.frame.map(pose.apex), pose.axis(), s));
        }
    return f;
}

void HandFigure::paint(DrawOps &ops, LineWeight weight) const
{
    const int sectors = geometry.sectors;
    if (R <= 0 || sectors == 0)
        return;
    const double theta = geometry.theta;
    const int thin = weight.px(ParallelogramFigure::kThinWidthPx);
    ops.setDrawStyle(DrawStyle::Solid);
    ops.setDrawWidth(thin);
    ops.setFillStyle(FillStyle::Transparent);
    // Where sectors were taken out, the radii they leave.
    ops.setForeColor(ParallelogramFigure::kMovedColor);
    for (int i = 0; i <= sectors; ++i) {
        const bool before = i > 0 && out[std::size_t(i - 1)];
        const bool after = i < sectors && out[std::size_t(i)];
        if (before || after)
            ops.Line(centre, centre + direction(kTwoPi - i * theta) * R);
    }
    ops.setFillStyle(FillStyle::Solid);
    ops.setForeColor(ParallelogramFigure::kRemainingColor);
    for (const Piece &p : home) {
        ops.setFillColor(p.fill);
        ops.Circle(p.apex, R, std::nullopt, p.start, p.end);
    }
    // The circumference: still in the circle, or gone with its sectors.
    ops.setFillStyle(FillStyle::Transparent);
    ops.setDrawWidth(weight.px(ParallelogramFigure::kOutlineWidthPx));
    for (int first = 0; first < sectors;) {
        int last = first;
        while (last + 1 < sectors && out[std::size_t(last + 1)] == out[std::size_t(first)])
            ++last;
        const Color colour = out[std::size_t(first)] ? ParallelogramFigure::kMovedColor : ParallelogramFigure::kRemainingColor;
        if (first == 0 && last == sectors - 1) {
            ops.setForeColor(colour);
            ops.Circle(centre, R);
        } else
            ops.Circle(centre, R, colour, float(turn(kTwoPi - (last + 1) * theta)), float(kTwoPi - first * theta));
        first = last + 1;
    }
    ops.setFillStyle(FillStyle::Solid);
    ops.setForeColor(ParallelogramFigure::kRemainingColor);
    ops.setDrawWidth(thin);
    for (const Piece &p : placed) {
        ops.setFillColor(p.fill);
        ops.Circle(p.apex, R, std::nullopt, p.start, p.end);
    }
    ops.setFillStyle(FillStyle::Transparent);
}

} // namespace core
