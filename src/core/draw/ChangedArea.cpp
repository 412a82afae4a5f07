#include "ChangedArea.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace core::ChangedArea {

namespace {

// Smoothing reaches a pixel past a shape's edge; coordinates name pixel
// centres, half a pixel more.
constexpr double kSmoothingPx = 2;
// Letters may reach past their advance by this share of their size.
constexpr double kLetterOverhangShare = 0.25;
// Beyond this many cells the calls are not matched one by one: the middle
// that differs is taken whole.
constexpr std::size_t kMostCells = 1 << 16;

RectF grown(const RectF &r, double by) { return r.normalized().adjusted(-by, -by, by, by); }

RectF around(PointF a, PointF b) { return RectF(a, b).normalized(); }

RectF arcBounds(const CircleCall &c)
{
    const auto at = [&c](double degrees) {
        const double a = degrees * std::numbers::pi / 180;
        return c.centre + PointF(c.radius * std::cos(a), -c.radius * std::sin(a));
    };
    const ArcShape &s = c.shape;
    const double end = s.startDegrees + s.sweepDegrees;
    std::vector<PointF> points{at(s.startDegrees), at(end)};
    constexpr double kQuarter = 90;
    for (double axis = 0; axis < 2 * 360; axis += kQuarter)
        if (axis > s.startDegrees && axis < end)
            points.push_back(at(axis));
    if (s.radiusAtStart || s.radiusAtEnd || c.fill)
        points.push_back(c.centre);
    RectF box = around(points.front(), points.front());
    for (const PointF p : points)
        box = RectF(PointF(std::min(box.left(), p.x()), std::min(box.top(), p.y())),
                    PointF(std::max(box.right(), p.x()), std::max(box.bottom(), p.y())));
    return box;
}

struct Bounds
{
    RectF operator()(const LineCall &l) const { return grown(around(l.from, l.to), l.width / 2.0 + kSmoothingPx); }
    RectF operator()(const CircleCall &c) const
    {
        const double reach = c.width / 2.0 + kSmoothingPx;
        if (c.shape.whole)
            return grown(RectF(c.centre - PointF(c.radius, c.radius), c.centre + PointF(c.radius, c.radius)), reach);
        return grown(arcBounds(c), reach);
    }
    RectF operator()(const TextCall &t) const
    {
        return grown(t.box, std::ceil(t.outlineWidth) + t.pixelSize * kLetterOverhangShare + kSmoothingPx);
    }
    RectF operator()(const BoxCall &b) const { return grown(b.rect, kSmoothingPx); }
};

// Marks the calls of each side that the other does not make in the same
// order: a longest common run, matched cell by cell where that is small.
void markUnmatched(const std::vector<DrawList::Call> &a, const std::vector<DrawList::Call> &b, std::vector<bool> &inA,
                   std::vector<bool> &inB)
{
    std::size_t first = 0;
    while (first < a.size() && first < b.size() && a[first] == b[first])
        ++first;
    std::size_t endA = a.size(), endB = b.size();
    while (endA > first && endB > first && a[endA - 1] == b[endB - 1])
        --endA, --endB;
    const std::size_t n = endA - first, m = endB - first;
    inA.assign(a.size(), false);
    inB.assign(b.size(), false);
    if (n * m > kMostCells || n == 0 || m == 0) {
        std::fill(inA.begin() + std::ptrdiff_t(first), inA.begin() + std::ptrdiff_t(endA), true);
        std::fill(inB.begin() + std::ptrdiff_t(first), inB.begin() + std::ptrdiff_t(endB), true);
        return;
    }
    // Lengths of the longest common run of the tails from each pair of places.
    std::vector<std::uint16_t> run((n + 1) * (m + 1), 0);
    const auto cell = [&](std::size_t i, std::size_t j) -> std::uint16_t & { return run[i * (m + 1) + j]; };
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            cell(i, j) = a[first + i] == b[first + j] ? std::uint16_t(cell(i + 1, j + 1) + 1)
                                                      : std::max(cell(i + 1, j), cell(i, j + 1));
    std::size_t i = 0, j = 0;
    while (i < n && j < m) {
        if (a[first + i] == b[first + j]) {
            ++i, ++j;
        } else if (cell(i + 1, j) >= cell(i, j + 1)) {
            inA[first + i++] = true;
        } else {
            inB[first + j++] = true;
        }
    }
    for (; i < n; ++i)
        inA[first + i] = true;
    for (; j < m; ++j)
        inB[first + j] = true;
}

long long areaOf(const Rect &r) { return 1LL * r.width() * r.height(); }

// Overlapping or side by side: one rectangle draws both as quickly.
bool touch(const Rect &a, const Rect &b) { return Rect(a.x() - 1, a.y() - 1, a.width() + 2, a.height() + 2).intersects(b); }

} // namespace

RectF bounds(const DrawList::Call &call) { return std::visit(Bounds{}, call); }

std::optional<std::vector<Rect>> between(const DrawList &before, const DrawList &after)
{
    if (before.ScaleWidth() != after.ScaleWidth() || before.ScaleHeight() != after.ScaleHeight() ||
        before.cleared != after.cleared)
        return std::nullopt;
    std::vector<bool> gone, added;
    markUnmatched(before.calls, after.calls, gone, added);
    const Rect picture(0, 0, int(std::ceil(after.ScaleWidth())), int(std::ceil(after.ScaleHeight())));
    std::vector<Rect> rects;
    const auto mark = [&](const DrawList &drawing, const std::vector<bool> &marked) {
        for (std::size_t k = 0; k < marked.size(); ++k) {
            if (!marked[k])
                continue;
            Rect r = bounds(drawing.calls[k]).toAlignedRect();
            // Merged with any it touches, until none does.
            for (auto other = rects.begin(); other != rects.end();) {
                if (touch(r, *other)) {
                    r |= *other;
                    rects.erase(other);
                    other = rects.begin();
                } else {
                    ++other;
                }
            }
            rects.push_back(r);
        }
    };
    mark(before, gone);
    mark(after, added);
    if (rects.size() > kMostRects) {
        Rect all = rects.front();
        for (const Rect &r : rects)
            all |= r;
        rects = {all};
    }
    long long area = 0;
    for (Rect &r : rects) {
        r &= picture;
        area += areaOf(r);
    }
    std::erase_if(rects, [](const Rect &r) { return r.isEmpty(); });
    if (area > kMostShare * double(areaOf(picture)))
        return std::nullopt;
    return rects;
}

void redraw(const DrawList &drawing, DrawOps &ops, const std::vector<Rect> &area)
{
    for (const Color &board : drawing.cleared)
        ops.Cls(board);
    for (const DrawList::Call &call : drawing.calls) {
        const RectF reach = bounds(call);
        if (std::any_of(area.begin(), area.end(), [&](const Rect &r) { return reach.intersects(RectF(r)); }))
            std::visit([&ops](const auto &c) { ops.Replay(c); }, call);
    }
}

} // namespace core::ChangedArea
