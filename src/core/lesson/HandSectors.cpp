#include "HandSectors.h"

#include "FigureMath.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace core {

namespace {

constexpr double kQuarterTurn = kPi / 2;
// A sector's centroid lies this share of the radius out along its axis
// (2/3 · sin(x)/x, near enough for the thin sectors of four and more).
constexpr double kCentroidShare = 0.6;

PointF along(double angle) { return {std::cos(angle), -std::sin(angle)}; }

// The point held, in the sector's own axes.
PointF gripOf(PointF at, PointF apex, double axis)
{
    const PointF d = at - apex;
    return {PointF::dotProduct(d, along(axis)), PointF::dotProduct(d, along(axis + kQuarterTurn))};
}

PointF apexFor(PointF at, PointF grip, double axis)
{
    return at - along(axis) * grip.x() - along(axis + kQuarterTurn) * grip.y();
}

} // namespace

HandSectors::HandSectors(int half) { restart(half); }

void HandSectors::restart(int half)
{
    m_half = half;
    m_held.clear();
    m_now = SectorArrangement::inCircle(2 * half);
    m_steps = {m_now};
    m_at = 0;
}

HandFigure::Geometry HandSectors::geometry(Size inner) const
{
    return HandFigure::geometryOf(float(inner.width()), float(inner.height()), m_half);
}

bool HandSectors::heldByAny(int sector) const
{
    return std::any_of(m_held.begin(), m_held.end(), [sector](const auto &h) { return h.second.sector == sector; });
}

// Sectors out first, the top one first, and exactly before within reach;
// then the circle.
int HandSectors::sectorAt(const HandFigure::Geometry &g, PointF units) const
{
    const double reach = kReachPx / g.frame.scale;
    for (const double r : {0.0, reach})
        for (auto s = m_now.stack.rbegin(); s != m_now.stack.rend(); ++s)
            if (!heldByAny(*s) && g.contains(*m_now.poses[std::size_t(*s)], units, r))
                return *s;
    const int home = g.sectorAt(units);
    return home >= 0 && !m_now.out(home) && !heldByAny(home) ? home : -1;
}

void HandSectors::raise(int sector)
{
    std::erase(m_now.stack, sector);
    m_now.stack.push_back(sector);
}

bool HandSectors::grab(PointerId pointer, PointF at, Size inner)
{
    const HandFigure::Geometry g = geometry(inner);
    if (holds(pointer) || !g.usable() || m_now.sectors() != g.sectors)
        return false;
    const PointF units = g.frame.unmap(at);
    const int sector = sectorAt(g, units);
    if (sector < 0)
        return false;
    Hold h{sector, {}, units, at, 0, inner, !m_now.out(sector)};
    if (h.fromCircle) {
        const PointF grip = gripOf(units, g.centre, g.homeAxis(sector));
        const double upright = g.upright(sector);
        m_now.poses[std::size_t(sector)] = SectorPose{apexFor(units, grip, upright), upright, false};
    }
    const SectorPose &pose = *m_now.poses[std::size_t(sector)];
    h.grip = gripOf(units, pose.apex, pose.axis());
    raise(sector);
    m_held[pointer] = h;
    return true;
}

bool HandSectors::move(PointerId pointer, PointF at, Size inner)
{
    const auto held = m_held.find(pointer);
    const HandFigure::Geometry g = geometry(inner);
    if (held == m_held.end() || !g.usable())
        return false;
    Hold &h = held->second;
    h.inner = inner;
    h.at = g.frame.unmap(at);
    h.travelledPx = std::max(h.travelledPx, (at - h.pressedPx).length());
    SectorPose &pose = *m_now.poses[std::size_t(h.sector)];
    const PointF apex = apexFor(h.at, h.grip, pose.axis());
    if (apex == pose.apex)
        return false;
    pose.apex = apex;
    return true;
}

bool HandSectors::flip(PointerId pointer)
{
    const auto held = m_held.find(pointer);
    if (held == m_held.end())
        return false;
    Hold &h = held->second;
    SectorPose &pose = *m_now.poses[std::size_t(h.sector)];
    pose.apex += along(pose.axis());
    pose.flipped = !pose.flipped;
    h.grip = gripOf(h.at, pose.apex, pose.axis());
    return true;
}

void HandSectors::putBack(int sector)
{
    m_now.poses[std::size_t(sector)].reset();
    std::erase(m_now.stack, sector);
}

bool HandSectors::drop(PointerId pointer)
{
    const auto held = m_held.find(pointer);
    if (held == m_held.end())
        return false;
    const Hold h = held->second;
    m_held.erase(held);
    const HandFigure::Geometry g = geometry(h.inner);
    const bool tap = h.travelledPx <= kTapWithinPx;
    if (tap && h.fromCircle) {
        putBack(h.sector);
    } else {
        SectorPose &pose = *m_now.poses[std::size_t(h.sector)];
        if (tap) {
            pose.apex += along(pose.axis());
            pose.flipped = !pose.flipped;
        }
        const PointF centroid = pose.apex + along(pose.axis()) * kCentroidShare;
        if (g.usable() && (centroid - g.centre).length() < 1)
            putBack(h.sector);
        else if (g.usable())
            snap(h.sector, g);
    }
    commit();
    return true;
}

void HandSectors::snap(int sector, const HandFigure::Geometry &g)
{
    SectorPose &pose = *m_now.poses[std::size_t(sector)];
    const double within = std::max(kSnapWithinPx, kSnapWithinRadii * g.frame.scale) / g.frame.scale;
    double nearest = std::numeric_limits<double>::infinity();
    PointF by;
    const std::array<PointF, 3> mine = g.vertices(pose);
    for (const int other : m_now.stack) {
        if (other == sector || heldByAny(other))
            continue;
        for (const PointF theirs : g.vertices(*m_now.poses[std::size_t(other)]))
            for (const PointF corner : mine)
                if (const double d = (theirs - corner).length(); d < nearest) {
                    nearest = d;
                    by = theirs - corner;
                }
    }
    if (nearest <= within)
        pose.apex += by;
}

bool HandSectors::dropAll()
{
    bool dropped = false;
    while (!m_held.empty())
        dropped = drop(m_held.begin()->first) || dropped;
    return dropped;
}

void HandSectors::commit()
{
    if (m_now == m_steps[m_at])
        return;
    m_steps.erase(m_steps.begin() + std::ptrdiff_t(m_at + 1), m_steps.end());
    m_steps.push_back(m_now);
    if (m_steps.size() > std::size_t(kMaxSteps))
        m_steps.erase(m_steps.begin());
    m_at = m_steps.size() - 1;
}

bool HandSectors::reset()
{
    m_held.clear();
    m_now = SectorArrangement::inCircle(2 * m_half);
    const bool changed = !(m_now == m_steps[m_at]);
    commit();
    return changed;
}

bool HandSectors::undo()
{
    dropAll();
    if (m_at == 0)
        return false;
    m_now = m_steps[--m_at];
    return true;
}

bool HandSectors::redo()
{
    dropAll();
    if (m_at + 1 >= m_steps.size())
        return false;
    m_now = m_steps[++m_at];
    return true;
}

bool HandSectors::show(const SectorArrangement &arrangement)
{
    if (!arrangement.valid() || arrangement.sectors() != m_now.sectors())
        return false;
    m_held.clear();
    m_now = arrangement;
    commit();
    return true;
}

} // namespace core
