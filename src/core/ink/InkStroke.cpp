#include "InkStroke.h"

#include "InkPen.h"

#include <algorithm>
#include <cmath>

namespace core {

namespace {

// A skipped point lies this far from its replacement segment at most, in
// stroke widths: a sixteenth of a three-pixel line.
constexpr double kSkipToleranceInWidths = 0.06;
// Points whose pressure differs more than this keep their own segments.
constexpr float kSkipWidthFactorTolerance = 0.02f;
// The widest line drawn, in device pixels: a stroke written on a tiny figure
// and shown on a huge one stays a line, not a flood.
constexpr double kMaxRadiusPx = 128;

double distanceToSegment(PointF p, PointF a, PointF b)
{
    const PointF ab = b - a;
    const double length2 = PointF::dotProduct(ab, ab);
    const double t = length2 > 0 ? std::clamp(PointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
    return (p - (a + t * ab)).length();
}

// Not RectF::united, which passes over a rectangle of no size.
RectF enclosing(const RectF &a, const RectF &b)
{
    return RectF(PointF(std::min(a.left(), b.left()), std::min(a.top(), b.top())),
                 PointF(std::max(a.right(), b.right()), std::max(a.bottom(), b.bottom())));
}

double cross(PointF u, PointF v) { return u.x() * v.y() - u.y() * v.x(); }

bool segmentsCross(PointF a, PointF b, PointF c, PointF d)
{
    const double d1 = cross(b - a, c - a), d2 = cross(b - a, d - a);
    const double d3 = cross(d - c, a - c), d4 = cross(d - c, b - c);
    return ((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0));
}

double segmentDistance(PointF a, PointF b, PointF c, PointF d)
{
    if (segmentsCross(a, b, c, d))
        return 0;
    return std::min({distanceToSegment(a, c, d), distanceToSegment(b, c, d), distanceToSegment(c, a, b),
                     distanceToSegment(d, a, b)});
}

} // namespace

struct InkStroke::Index
{
    RectF bounds;
    std::vector<RectF> chunks;
    std::vector<bool> skip; // past the first run
};

InkStroke::InkStroke(Rgba color, float width, const InkPoint &first) : m_stroke{color, width, {first}} {}

InkStroke::InkStroke(Stroke stroke) : m_stroke(std::move(stroke))
{
    growIndex();
    finish();
}

InkStroke::InkStroke(InkStroke &&) noexcept = default;
InkStroke &InkStroke::operator=(InkStroke &&) noexcept = default;
InkStroke::~InkStroke() = default;

void InkStroke::append(const InkPoint &point)
{
    m_stroke.points.push_back(point);
    growIndex();
}

// A segment is drawn with its end point's width around both its ends.
RectF InkStroke::segmentBounds(std::size_t from, std::size_t to) const
{
    const PointF a = m_stroke.points[from].pos(), b = m_stroke.points[to].pos();
    const double half = m_stroke.width * m_stroke.points[to].widthFactor / 2;
    return RectF(a, b).normalized().adjusted(-half, -half, half, half);
}

// The segments a run draws, and each point joined to the one before it, as
// the eraser sees them: once points are skipped, the two differ.
RectF InkStroke::runBounds(int chunk) const
{
    const std::size_t start = runStart(chunk);
    RectF box = segmentBounds(start, chunk == 0 ? start : start + 1);
    for (std::size_t i = start + 1, from = start; i <= runEnd(chunk); ++i) {
        box = enclosing(box, segmentBounds(i - 1, i));
        if (skipped(i))
            continue;
        if (from + 1 < i)
            box = enclosing(box, segmentBounds(from, i));
        from = i;
    }
    return box;
}

RectF InkStroke::bounds() const { return m_index ? m_index->bounds : runBounds(0); }

RectF InkStroke::chunkBounds(int chunk) const { return m_index ? m_index->chunks[std::size_t(chunk)] : runBounds(0); }

// Strokes of one run work their bounds out when asked; past that, each run's
// bounds are kept, widened as points arrive and settled once points are skipped.
void InkStroke::growIndex()
{
    if (size() <= std::size_t(kChunkPoints))
        return;
    if (!m_index) {
        m_index = std::make_unique<Index>();
        settleBounds();
        return;
    }
    const std::size_t last = size() - 1;
    const int chunk = int(last / kChunkPoints);
    const RectF newest = segmentBounds(last - 1, last);
    if (chunk == int(m_index->chunks.size()))
        m_index->chunks.push_back(newest);
    RectF &run = m_index->chunks[std::size_t(chunk)];
    run = enclosing(run, newest);
    m_index->bounds = enclosing(m_index->bounds, run);
}

void InkStroke::settleBounds()
{
    m_index->chunks.clear();
    for (int c = 0; c < chunkCount(); ++c) {
        m_index->chunks.push_back(runBounds(c));
        m_index->bounds = c == 0 ? m_index->chunks.front() : enclosing(m_index->bounds, m_index->chunks.back());
    }
}

bool InkStroke::skipped(std::size_t index) const
{
    if (!m_finished)
        return false;
    if (index < std::size_t(kChunkPoints))
        return (m_skipInFirstRun >> index) & 1u;
    return m_index->skip[index - kChunkPoints];
}

void InkStroke::skip(std::size_t index)
{
    if (index < std::size_t(kChunkPoints))
        m_skipInFirstRun |= 1u << index;
    else
        m_index->skip[index - kChunkPoints] = true;
}

void InkStroke::finish()
{
    if (m_finished)
        return;
    if (m_index)
        m_index->skip.assign(size() - kChunkPoints, false);
    for (int c = 0; c < chunkCount(); ++c)
        simplifyChunk(c);
    m_finished = true;
    m_stroke.points.shrink_to_fit();
    if (m_index) {
        settleBounds();
        m_index->chunks.shrink_to_fit();
        m_index->skip.shrink_to_fit();
    }
}

// Greedy within one run: a segment stretches over following points as long as
// every point it passes lies within the tolerance of it.
void InkStroke::simplifyChunk(int chunk)
{
    const auto &pts = m_stroke.points;
    const std::size_t last = runEnd(chunk);
    const double tolerance = kSkipToleranceInWidths * m_stroke.width;
    std::size_t anchor = runStart(chunk);
    while (anchor < last) {
        std::size_t end = anchor + 1;
        while (end < last) {
            const std::size_t next = end + 1;
            const PointF a = pts[anchor].pos(), b = pts[next].pos();
            const PointF ab = b - a;
            const double length2 = PointF::dotProduct(ab, ab);
            bool fits = length2 > 0;
            for (std::size_t q = anchor + 1; fits && q < next; ++q) {
                const double t = PointF::dotProduct(pts[q].pos() - a, ab) / length2;
                fits = t >= 0 && t <= 1 && distanceToSegment(pts[q].pos(), a, b) <= tolerance &&
                       std::fabs(pts[q].widthFactor - pts[next].widthFactor) <= kSkipWidthFactorTolerance;
            }
            if (!fits)
                break;
            end = next;
        }
        for (std::size_t q = anchor + 1; q < end; ++q)
            skip(q);
        anchor = end;
    }
}

Rect InkStroke::deviceReach(const RectF &units, const Similarity &device)
{
    const PointF topLeft = device.map(units.topLeft());
    const PointF bottomRight = device.map(units.bottomRight());
    // One more pixel than the ramp needs absorbs rounding in the mapping.
    return InkRaster::reach(topLeft, bottomRight, 1.0);
}

double InkStroke::radiusPx(std::size_t index, const Similarity &device) const
{
    return std::min(kMaxRadiusPx, m_stroke.width * m_stroke.points[index].widthFactor * device.scale / 2);
}

double InkStroke::edgePx(const Similarity &device) const
{
    return std::clamp(m_stroke.width * device.scale * InkPen::kEdgeShareOfWidth, InkPen::kThinnestEdgePx, kMaxRadiusPx);
}

Rect InkStroke::grown(const RectF &units, const Similarity &device, bool rimmed) const
{
    const Rect r = deviceReach(units, device);
    if (!rimmed)
        return r;
    const int rim = int(std::ceil(edgePx(device)));
    return r.adjusted(-rim, -rim, rim, rim);
}

// The pen's colour keeps its width whatever the look: a rim lies outside it.
void InkStroke::segment(CoverageMask &mask, std::size_t from, std::size_t to, const Similarity &device,
                        Look look) const
{
    const double radius = radiusPx(to, device);
    const double edge = look == Look::Plain ? 0 : edgePx(device);
    InkRaster::capsule(mask, device.map(m_stroke.points[from].pos()), device.map(m_stroke.points[to].pos()),
                       radius + edge, look == Look::Edged ? edge : 0);
}

void InkStroke::renderChunk(CoverageMask &mask, int chunk, const Similarity &device, Look look) const
{
    std::size_t from = runStart(chunk);
    if (chunk == 0)
        segment(mask, 0, 0, device, look); // the dot a tap leaves
    for (std::size_t i = from + 1; i <= runEnd(chunk); ++i) {
        if (skipped(i))
            continue;
        segment(mask, from, i, device, look);
        from = i;
    }
}

void InkStroke::renderLast(CoverageMask &mask, const Similarity &device, Look look) const
{
    const std::size_t last = size() - 1;
    segment(mask, last == 0 ? 0 : last - 1, last, device, look);
}

bool InkStroke::passesWithin(PointF a, PointF b, double reach) const
{
    const RectF path = RectF(a, b).normalized().adjusted(-reach, -reach, reach, reach);
    if (!path.intersects(bounds()))
        return false;
    const auto &pts = m_stroke.points;
    for (int c = 0; c < chunkCount(); ++c) {
        if (!path.intersects(chunkBounds(c)))
            continue;
        for (std::size_t i = std::size_t(c) * kChunkPoints; i <= runEnd(c); ++i) {
            const std::size_t from = i == 0 ? 0 : i - 1;
            const double half = m_stroke.width * pts[i].widthFactor / 2;
            if (segmentDistance(a, b, pts[from].pos(), pts[i].pos()) <= reach + half)
                return true;
        }
    }
    return false;
}

} // namespace core
