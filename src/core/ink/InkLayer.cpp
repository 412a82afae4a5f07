#include "InkLayer.h"

#include "Parallel.h"
#include "PenPalette.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <optional>

namespace core {

namespace {

constexpr double kNormalPressure = 0.5;
constexpr double kThinnestFactor = 0.5;
constexpr double kThickestFactor = 1.75;
// The image grows in steps and is kept while the layer shrinks a little, so
// dragging the window's border does not reallocate on every pixel.
constexpr int kImageStepPx = 256;
constexpr std::int64_t kMostWastedFactor = 4;
// Input this far outside the layer, in logical pixels, is a driver's error
// and is held at this distance.
constexpr double kFarthestInputPx = 100000;
// A step whose undoing would draw more points again than this keeps the
// pixels it took away instead.
constexpr std::size_t kSnapshotFromPoints = 4096;
constexpr std::size_t kSnapshotBudgetBytes = std::size_t(64) << 20;
// A live stroke's mask grows by at least this much, so it is rarely copied.
constexpr int kLiveMaskMarginPx = 64;
// A page with this much ink is drawn anew in bands, by several workers where there are some.
constexpr std::size_t kThreadedFromPoints = 20000;
constexpr int kMostThreads = 4;

bool finite(PointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

PointF heldNear(PointF p)
{
    return {std::clamp(p.x(), -kFarthestInputPx, kFarthestInputPx),
            std::clamp(p.y(), -kFarthestInputPx, kFarthestInputPx)};
}

double usableFactor(double factor)
{
    return std::isfinite(factor) ? std::clamp(factor, kThinnestFactor, kThickestFactor) : 1.0;
}

// Where a stroke with this id is, or would go, among strokes sorted by id.
template <typename Strokes>
auto byId(Strokes &strokes, std::uint32_t id)
{
    return std::lower_bound(strokes.begin(), strokes.end(), id,
                            [](const std::unique_ptr<InkStroke> &s, std::uint32_t i) { return s->id() < i; });
}

bool usableStroke(const Stroke &s)
{
    if (s.points.empty() || !std::isfinite(s.width) || !(s.width > 0))
        return false;
    return std::all_of(s.points.begin(), s.points.end(), [](const InkPoint &p) {
        return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.widthFactor) && p.widthFactor > 0;
    });
}

} // namespace

// The image cut into square tiles, some of them marked.
class InkLayer::Tiles
{
public:
    explicit Tiles(const Size &image)
        : m_image(image), m_columns((image.width() + kTilePx - 1) / kTilePx),
          m_rows((image.height() + kTilePx - 1) / kTilePx), m_marked(std::size_t(m_columns) * m_rows, false)
    {
    }

    void add(const Rect &device)
    {
        const Rect r = device & Rect(Point(), m_image);
        if (r.isEmpty())
            return;
        for (int row = r.top() / kTilePx; row <= r.bottom() / kTilePx; ++row)
            for (int column = r.left() / kTilePx; column <= r.right() / kTilePx; ++column)
                m_marked[std::size_t(row) * m_columns + column] = true;
        m_bounds |= tileRect(r.top() / kTilePx, r.left() / kTilePx) | tileRect(r.bottom() / kTilePx, r.right() / kTilePx);
    }

    bool touches(const Rect &device) const
    {
        const Rect r = device & m_bounds;
        if (r.isEmpty())
            return false;
        for (int row = r.top() / kTilePx; row <= r.bottom() / kTilePx; ++row)
            for (int column = r.left() / kTilePx; column <= r.right() / kTilePx; ++column)
                if (m_marked[std::size_t(row) * m_columns + column])
                    return true;
        return false;
    }

    const Rect &bounds() const { return m_bounds; }

    std::vector<int> indices() const
    {
        std::vector<int> out;
        for (std::size_t i = 0; i < m_marked.size(); ++i)
            if (m_marked[i])
                out.push_back(int(i));
        return out;
    }

    Rect rectOf(int index) const { return tileRect(index / m_columns, index % m_columns); }

    // Marked tiles within `area`, clipped to it.
    template <typename F>
    void forEachIn(const Rect &area, F f) const
    {
        const Rect r = area & m_bounds;
        if (r.isEmpty())
            return;
        for (int row = r.top() / kTilePx; row <= r.bottom() / kTilePx; ++row)
            for (int column = r.left() / kTilePx; column <= r.right() / kTilePx; ++column)
                if (m_marked[std::size_t(row) * m_columns + column])
                    f(tileRect(row, column) & r);
    }

private:
    Rect tileRect(int row, int column) const
    {
        return Rect(column * kTilePx, row * kTilePx, kTilePx, kTilePx) & Rect(Point(), m_image);
    }

    Size m_image;
    int m_columns;
    int m_rows;
    std::vector<bool> m_marked;
    Rect m_bounds;
};

std::size_t InkLayer::Snapshot::bytes() const
{
    return ids.size() * sizeof(std::uint32_t) + whole.sizeInBytes() + pixels.size() * sizeof(Rgba);
}

InkLayer::InkLayer() = default;
InkLayer::~InkLayer() = default;

double InkLayer::widthFactorForPressure(double pressure)
{
    const double p = std::isfinite(pressure) ? pressure : kNormalPressure;
    return std::clamp(0.25 + 1.5 * p, kThinnestFactor, kThickestFactor);
}

// ---------------------------------------------------------------- placement

void InkLayer::setFrame(const Similarity &frame)
{
    if (frame == m_frame)
        return;
    m_frame = frame;
    m_stale = true;
}

void InkLayer::resize(const Size &logicalSize, double devicePixelRatio)
{
    const double ratio = std::isfinite(devicePixelRatio) && devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    m_logicalSize = logicalSize.expandedTo(Size(0, 0));
    const auto device = [ratio](int logical) { return int(logical * ratio + 0.5); };
    const Size needed(device(m_logicalSize.width()), device(m_logicalSize.height()));
    const auto roundUp = [](int px) { return (std::max(0, px) + kImageStepPx - 1) / kImageStepPx * kImageStepPx; };
    const Size allotted(roundUp(needed.width()), roundUp(needed.height()));
    const bool fits = m_image.width() >= needed.width() && m_image.height() >= needed.height();
    const bool wasteful =
        std::int64_t(m_image.width()) * m_image.height() > kMostWastedFactor * std::int64_t(allotted.width()) * allotted.height();
    if (ratio == m_ratio && fits && !wasteful && !m_image.isNull())
        return;
    m_ratio = ratio;
    m_image = PixelBuffer(allotted);
    m_stale = true;
}

bool InkLayer::placeable() const { return m_frame.usable() && !m_image.isNull(); }

void InkLayer::markDirty(const Rect &device)
{
    if (device.isEmpty())
        return;
    m_dirty |= RectF(device.x() / m_ratio, device.y() / m_ratio, device.width() / m_ratio, device.height() / m_ratio)
                   .toAlignedRect();
}

void InkLayer::ensureImage()
{
    if (m_image.isNull())
        resize(m_logicalSize, m_ratio);
    if (m_stale)
        renderAll();
}

const PixelBuffer &InkLayer::image()
{
    ensureImage();
    return m_image;
}

// ---------------------------------------------------------------- drawing

void InkLayer::renderAll()
{
    m_image.fill(0);
    m_inked = Rect();
    m_stale = false;
    ++m_generation;
    dropSnapshots();
    for (auto &[pointer, live] : m_live)
        renderLive(live);
    if (!m_frame.usable() || m_image.isNull())
        return;
    // A full page is drawn in horizontal bands, one worker each: every pixel
    // still gets its strokes in the same order, so the result does not change.
    for (const auto &stroke : m_strokes)
        m_inked |= InkStroke::deviceReach(stroke->bounds(), deviceFrame()) & m_image.rect();
    const InkRaster::Surface surface = InkRaster::Surface::of(m_image);
    const int bands =
        pointCount() < kThreadedFromPoints ? 1 : std::clamp(Parallel::workers(), 1, kMostThreads);
    const int rows = (m_image.height() + bands - 1) / bands;
    std::vector<CoverageMask> scratches(std::size_t(bands - 1));
    Parallel::each(bands, [&](int b) {
        CoverageMask &scratch = b == 0 ? m_scratch : scratches[std::size_t(b - 1)];
        const Rect band(0, b * rows, m_image.width(), rows);
        for (const auto &stroke : m_strokes)
            renderStroke(*stroke, band, nullptr, scratch, surface);
    });
}

void InkLayer::renderLive(Live &live)
{
    const Similarity device = deviceFrame();
    live.mask.reset(m_frame.usable() ? InkStroke::deviceReach(live.stroke.bounds(), device) & m_image.rect() : Rect());
    for (int c = 0; c < live.stroke.chunkCount(); ++c)
        live.stroke.renderChunk(live.mask, c, device, m_edged);
}

// Only the runs that reach `clip` (and, given `only`, its marked tiles) are
// drawn; pixels come out the same as when the whole stroke is drawn.
void InkLayer::renderStroke(const InkStroke &stroke, const Rect &clip, const Tiles *only, CoverageMask &scratch,
                            const InkRaster::Surface &surface) const
{
    const Similarity device = deviceFrame();
    const Rect box = InkStroke::deviceReach(stroke.bounds(), device) & clip;
    if (box.isEmpty() || (only && !only->touches(box)))
        return;
    scratch.reset(box);
    bool drawn = false;
    for (int c = 0; c < stroke.chunkCount(); ++c) {
        const Rect reach = InkStroke::deviceReach(stroke.chunkBounds(c), device) & box;
        if (reach.isEmpty() || (only && !only->touches(reach)))
            continue;
        stroke.renderChunk(scratch, c, device, m_edged);
        drawn = true;
    }
    if (!drawn)
        return;
    if (!only)
        compositeStroke(surface, scratch, stroke, box);
    else
        only->forEachIn(box, [&](const Rect &tile) { compositeStroke(surface, scratch, stroke, tile); });
}

void InkLayer::compositeStroke(const InkRaster::Surface &surface, const CoverageMask &mask, const InkStroke &stroke,
                               const Rect &clip) const
{
    const Rgba color = stroke.data().color;
    if (!m_edged) {
        InkRaster::composite(surface, mask, color, clip);
        return;
    }
    const Rgba edge = PenPalette::edgeFor(Color::fromRgba(color)).rgba();
    InkRaster::compositeEdged(surface, mask, color, edge, stroke.edgePx(deviceFrame()), clip);
}

void InkLayer::setEdged(bool edged)
{
    if (edged == m_edged)
        return;
    m_edged = edged;
    m_stale = true;
    markAllDirty();
}

void InkLayer::renderTiles(const Tiles &tiles)
{
    for (int index : tiles.indices()) {
        const Rect r = tiles.rectOf(index);
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::fill_n(m_image.row(y) + r.left(), r.width(), Rgba(0));
    }
    const InkRaster::Surface surface = InkRaster::Surface::of(m_image);
    for (const auto &stroke : m_strokes)
        renderStroke(*stroke, tiles.bounds(), &tiles, m_scratch, surface);
}

InkLayer::Tiles InkLayer::tilesOf(const std::vector<std::uint32_t> &ids) const
{
    Tiles tiles(m_image.size());
    const Similarity device = deviceFrame();
    for (std::uint32_t id : ids) {
        const InkStroke &stroke = **byId(m_strokes, id);
        for (int c = 0; c < stroke.chunkCount(); ++c)
            tiles.add(InkStroke::deviceReach(stroke.chunkBounds(c), device));
    }
    return tiles;
}

// Points that drawing the tiles again would visit: what putting strokes back costs.
std::size_t InkLayer::costOfRedraw(const Tiles &tiles) const
{
    const Similarity device = deviceFrame();
    std::size_t points = 0;
    for (const auto &stroke : m_strokes)
        if (tiles.touches(InkStroke::deviceReach(stroke->bounds(), device)))
            points += stroke->size();
    return points;
}

// ---------------------------------------------------------------- input

bool InkLayer::begin(PointerId pointer, PointF pos, double widthFactor, const Color &color, double widthPx)
{
    end(pointer);
    ensureImage();
    if (!placeable() || !finite(pos) || !std::isfinite(widthPx) || !(widthPx > 0))
        return false;
    const PointF at = m_frame.unmap(heldNear(pos));
    const InkPoint first{float(at.x()), float(at.y()), float(usableFactor(widthFactor))};
    Live &live =
        m_live.emplace(pointer, Live{InkStroke(color.rgba(), float(widthPx / m_frame.scale), first), {}, ++m_begun})
            .first->second;
    const Rect reach = InkStroke::deviceReach(live.stroke.bounds(), deviceFrame()) & m_image.rect();
    live.mask.reset(reach.adjusted(-kLiveMaskMarginPx, -kLiveMaskMarginPx, kLiveMaskMarginPx, kLiveMaskMarginPx) &
                    m_image.rect());
    live.stroke.renderLast(live.mask, deviceFrame(), m_edged);
    markDirty(reach);
    return true;
}

void InkLayer::extend(PointerId pointer, PointF pos, double widthFactor)
{
    const auto it = m_live.find(pointer);
    // While the figure is collapsed, a stroke still held down waits for it.
    if (it == m_live.end() || !finite(pos) || !m_frame.usable())
        return;
    ensureImage();
    Live &live = it->second;
    const PointF at = m_frame.unmap(heldNear(pos));
    live.stroke.append({float(at.x()), float(at.y()), float(usableFactor(widthFactor))});
    const Similarity device = deviceFrame();
    const auto &points = live.stroke.data().points;
    const InkPoint &to = points.back();
    const double half = live.stroke.data().width * to.widthFactor / 2;
    const RectF segment = RectF(points[points.size() - 2].pos(), to.pos()).normalized();
    const Rect reach = InkStroke::deviceReach(segment.adjusted(-half, -half, half, half), device) & m_image.rect();
    if (!live.mask.rect().contains(reach))
        live.mask.include(
            reach.adjusted(-kLiveMaskMarginPx, -kLiveMaskMarginPx, kLiveMaskMarginPx, kLiveMaskMarginPx) &
            m_image.rect());
    live.stroke.renderLast(live.mask, device, m_edged);
    markDirty(reach);
}

void InkLayer::end(PointerId pointer)
{
    const auto it = m_live.find(pointer);
    if (it == m_live.end())
        return;
    markDirty(it->second.mask.rect());
    auto stroke = std::make_unique<InkStroke>(std::move(it->second.stroke));
    m_live.erase(it);
    stroke->finish();
    ++m_changes;
    stroke->setId(m_nextId++);
    const InkStroke &drawn = *m_strokes.emplace_back(std::move(stroke));
    // The newest stroke lies above all others, so it is drawn over them.
    if (!m_stale && m_frame.usable()) {
        renderStroke(drawn, m_image.rect(), nullptr, m_scratch, InkRaster::Surface::of(m_image));
        const Rect reach = InkStroke::deviceReach(drawn.bounds(), deviceFrame()) & m_image.rect();
        m_inked |= reach;
        markDirty(reach);
    }
    auto step = std::make_unique<Step>();
    step->ids = {drawn.id()};
    step->held.resize(1);
    record(std::move(step));
}

void InkLayer::dropStillAt(PointF pos, double radiusPx)
{
    for (auto it = m_live.begin(); it != m_live.end();) {
        const auto &points = it->second.stroke.data().points;
        const bool still = std::all_of(points.begin(), points.end(), [&](const InkPoint &p) {
            return (m_frame.map(p.pos()) - pos).length() <= radiusPx;
        });
        if (!still) {
            ++it;
            continue;
        }
        markDirty(it->second.mask.rect());
        it = m_live.erase(it);
    }
}

void InkLayer::endAll()
{
    endWhere([](PointerId) { return true; });
}

// ---------------------------------------------------------------- history


void InkLayer::putOn(Step &step)
{
    ++m_changes;
    const bool onTop = m_strokes.empty() || step.ids.front() > m_strokes.back()->id();
    // Both runs are sorted by id: one merge puts every stroke back in its place.
    const auto present = std::ptrdiff_t(m_strokes.size());
    for (auto &stroke : step.held) {
        m_inked |= InkStroke::deviceReach(stroke->bounds(), deviceFrame()) & m_image.rect();
        m_strokes.push_back(std::move(stroke));
    }
    std::inplace_merge(m_strokes.begin(), m_strokes.begin() + present, m_strokes.end(),
                       [](const auto &a, const auto &b) { return a->id() < b->id(); });
    std::vector<Snapshot> snapshots = std::move(step.snapshots);
    step.snapshots.clear();
    if (m_stale || !placeable()) {
        markAllDirty();
        return;
    }

    const bool pixelsKept = !snapshots.empty() && std::all_of(snapshots.begin(), snapshots.end(),
                                                              [this](const Snapshot &s) { return s.generation == m_generation; });
    if (pixelsKept) {
        // Newest first: each one's pixels were taken after the ones before it.
        for (auto s = snapshots.rbegin(); s != snapshots.rend(); ++s) {
            if (!s->whole.isNull()) {
                m_image = std::move(s->whole);
                markDirty(m_image.rect());
                continue;
            }
            const Rgba *from = s->pixels.data();
            const Tiles tiles(m_image.size());
            for (int index : s->tiles) {
                const Rect r = tiles.rectOf(index);
                for (int y = r.top(); y <= r.bottom(); ++y, from += r.width())
                    std::copy_n(from, r.width(), m_image.row(y) + r.left());
                markDirty(r);
            }
        }
        // A gesture's strokes taken off without their pixels kept, or whose
        // pixels were dropped since, are drawn again over what was put back.
        std::vector<std::uint32_t> kept;
        for (const Snapshot &s : snapshots)
            kept.insert(kept.end(), s.ids.begin(), s.ids.end());
        std::sort(kept.begin(), kept.end());
        std::vector<std::uint32_t> unkept;
        std::set_difference(step.ids.begin(), step.ids.end(), kept.begin(), kept.end(), std::back_inserter(unkept));
        if (!unkept.empty()) {
            const Tiles tiles = tilesOf(unkept);
            renderTiles(tiles);
            markDirty(tiles.bounds());
        }
        return;
    }
    if (onTop) {
        for (std::uint32_t id : step.ids) {
            const InkStroke &stroke = **byId(m_strokes, id);
            renderStroke(stroke, m_image.rect(), nullptr, m_scratch, InkRaster::Surface::of(m_image));
            markDirty(InkStroke::deviceReach(stroke.bounds(), deviceFrame()) & m_image.rect());
        }
        return;
    }
    const Tiles tiles = tilesOf(step.ids);
    renderTiles(tiles);
    markDirty(tiles.bounds());
}

void InkLayer::takeOff(Step &step)
{
    ++m_changes;
    step.held.resize(step.ids.size());
    const bool drawable = !m_stale && placeable();
    const bool everything = step.ids.size() == m_strokes.size();
    std::optional<Tiles> tiles;
    Snapshot snapshot{m_generation, {}, {}, {}, {}};
    bool keepWhole = false;
    if (drawable) {
        tiles.emplace(tilesOf(step.ids));
        if (costOfRedraw(*tiles) >= kSnapshotFromPoints) {
            snapshot.ids = step.ids;
            if (everything) {
                keepWhole = true;
            } else {
                snapshot.tiles = tiles->indices();
                for (int index : snapshot.tiles) {
                    const Rect r = tiles->rectOf(index);
                    for (int y = r.top(); y <= r.bottom(); ++y) {
                        const Rgba *row = m_image.row(y) + r.left();
                        snapshot.pixels.insert(snapshot.pixels.end(), row, row + r.width());
                    }
                }
            }
        }
    }
    // One pass over the page: the strokes named go to the step, the rest close up.
    std::size_t taken = 0, kept = 0;
    for (auto &stroke : m_strokes) {
        if (taken < step.ids.size() && stroke->id() == step.ids[taken])
            step.held[taken++] = std::move(stroke);
        else
            m_strokes[kept++] = std::move(stroke);
    }
    m_strokes.resize(kept);
    if (m_strokes.empty())
        m_inked = Rect();
    if (keepWhole) {
        // The history keeps the old image: start a fresh one rather than copy it.
        snapshot.whole = std::move(m_image);
        m_image = PixelBuffer(snapshot.whole.size());
    }
    if (!snapshot.whole.isNull() || !snapshot.tiles.empty()) {
        step.snapshots.push_back(std::move(snapshot));
        keepSnapshotBudget();
    }
    if (!drawable) {
        markAllDirty();
        return;
    }
    if (keepWhole) {
        markDirty(m_image.rect());
        return;
    }
    renderTiles(*tiles);
    markDirty(tiles->bounds());
}

void InkLayer::record(std::unique_ptr<Step> step)
{
    m_erasing = false;
    m_redo.clear();
    m_undo.push_back(std::move(step));
    if (m_undo.size() > kMaxUndoSteps)
        m_undo.pop_front();
}

void InkLayer::dropSnapshots()
{
    for (auto &step : m_undo)
        step->snapshots.clear();
    for (auto &step : m_redo)
        step->snapshots.clear();
}

// Oldest first: the steps furthest from the present are the least likely to be needed.
void InkLayer::keepSnapshotBudget()
{
    std::size_t total = 0;
    for (const auto &step : m_undo)
        for (const Snapshot &s : step->snapshots)
            total += s.bytes();
    for (const auto &step : m_redo)
        for (const Snapshot &s : step->snapshots)
            total += s.bytes();
    const auto shed = [&](Step &step) {
        for (const Snapshot &s : step.snapshots)
            total -= s.bytes();
        step.snapshots.clear();
    };
    for (auto &step : m_undo)
        if (total > kSnapshotBudgetBytes)
            shed(*step);
    for (auto &step : m_redo)
        if (total > kSnapshotBudgetBytes)
            shed(*step);
}

// What the teacher sees last is a stroke still being drawn, even one whose
// release never arrived: it ends first and is the step taken back.
bool InkLayer::undo()
{
    endAll();
    if (m_undo.empty())
        return false;
    m_erasing = false;
    std::unique_ptr<Step> step = std::move(m_undo.back());
    m_undo.pop_back();
    if (step->adds)
        takeOff(*step);
    else
        putOn(*step);
    m_redo.push_back(std::move(step));
    return true;
}

bool InkLayer::redo()
{
    endAll();
    if (m_redo.empty())
        return false;
    m_erasing = false;
    std::unique_ptr<Step> step = std::move(m_redo.back());
    m_redo.pop_back();
    if (step->adds)
        putOn(*step);
    else
        takeOff(*step);
    m_undo.push_back(std::move(step));
    return true;
}

bool InkLayer::clear()
{
    endAll();
    if (m_strokes.empty())
        return false;
    auto step = std::make_unique<Step>();
    step->adds = false;
    for (const auto &stroke : m_strokes)
        step->ids.push_back(stroke->id());
    takeOff(*step);
    record(std::move(step));
    return true;
}

bool InkLayer::eraseAlong(PointF from, PointF to, double radiusPx)
{
    if (!m_frame.usable() || !finite(from) || !finite(to) || !std::isfinite(radiusPx) || !(radiusPx > 0))
        return false;
    ensureImage();
    const PointF a = m_frame.unmap(heldNear(from)), b = m_frame.unmap(heldNear(to));
    const double reach = radiusPx / m_frame.scale;
    auto removal = std::make_unique<Step>();
    removal->adds = false;
    for (const auto &stroke : m_strokes)
        if (stroke->passesWithin(a, b, reach))
            removal->ids.push_back(stroke->id());
    if (removal->ids.empty())
        return false;
    takeOff(*removal);

    Step *gesture = m_erasing && !m_undo.empty() && !m_undo.back()->adds ? m_undo.back().get() : nullptr;
    if (!gesture) {
        record(std::move(removal));
        m_erasing = true;
        return true;
    }
    // The same gesture: one step, its strokes kept in order of their ids.
    for (std::size_t i = 0; i < removal->ids.size(); ++i) {
        const auto at = std::lower_bound(gesture->ids.begin(), gesture->ids.end(), removal->ids[i]);
        const auto offset = at - gesture->ids.begin();
        gesture->ids.insert(at, removal->ids[i]);
        gesture->held.insert(gesture->held.begin() + offset, std::move(removal->held[i]));
    }
    for (Snapshot &s : removal->snapshots)
        gesture->snapshots.push_back(std::move(s));
    return true;
}

InkLayer::Prepared InkLayer::prepare(std::vector<Stroke> strokes)
{
    Prepared prepared;
    for (Stroke &s : strokes)
        if (usableStroke(s))
            prepared.push_back(std::make_unique<InkStroke>(std::move(s)));
    return prepared;
}

bool InkLayer::restore(Prepared strokes)
{
    if (strokes.empty())
        return false;
    auto step = std::make_unique<Step>();
    for (const auto &stroke : strokes) {
        step->ids.push_back(m_nextId);
        stroke->setId(m_nextId++);
    }
    step->held = std::move(strokes);
    putOn(*step);
    step->held.clear();
    step->held.resize(step->ids.size());
    record(std::move(step));
    return true;
}

void InkLayer::replace(std::vector<Stroke> strokes)
{
    Prepared prepared = prepare(std::move(strokes));
    // Most copies only grow by a stroke: those draw just what was added.
    bool grows = prepared.size() >= m_strokes.size() && m_live.empty();
    for (std::size_t i = 0; grows && i < m_strokes.size(); ++i) {
        const Stroke &had = m_strokes[i]->data(), &now = prepared[i]->data();
        grows = had.color == now.color && had.width == now.width && had.points.size() == now.points.size() &&
                std::equal(had.points.begin(), had.points.end(), now.points.begin(), [](const InkPoint &a, const InkPoint &b) {
                    return a.x == b.x && a.y == b.y && a.widthFactor == b.widthFactor;
                });
    }
    m_live.clear();
    m_undo.clear();
    m_redo.clear();
    m_erasing = false;
    const std::size_t kept = grows ? m_strokes.size() : 0;
    if (!grows) {
        m_strokes.clear();
        m_stale = true;
        markAllDirty();
    }
    if (kept == prepared.size() && grows)
        return;
    ++m_changes;
    for (std::size_t i = kept; i < prepared.size(); ++i) {
        prepared[i]->setId(m_nextId++);
        const InkStroke &drawn = *m_strokes.emplace_back(std::move(prepared[i]));
        if (!m_stale && m_frame.usable()) {
            renderStroke(drawn, m_image.rect(), nullptr, m_scratch, InkRaster::Surface::of(m_image));
            const Rect reach = InkStroke::deviceReach(drawn.bounds(), deviceFrame()) & m_image.rect();
            m_inked |= reach;
            markDirty(reach);
        }
    }
}

std::vector<InkLayer::LiveStroke> InkLayer::liveStrokes() const
{
    std::vector<LiveStroke> out;
    for (const auto &[pointer, live] : m_live)
        out.push_back({live.serial, &live.stroke.data()});
    return out;
}

// ---------------------------------------------------------------- queries and painting

std::vector<const Stroke *> InkLayer::strokes() const
{
    std::vector<const Stroke *> out;
    out.reserve(m_strokes.size());
    for (const auto &stroke : m_strokes)
        out.push_back(&stroke->data());
    return out;
}

std::size_t InkLayer::pointCount() const
{
    std::size_t points = 0;
    for (const auto &stroke : m_strokes)
        points += stroke->size();
    return points;
}

Rect InkLayer::inkedDeviceRect(const Rect &logicalRect)
{
    ensureImage();
    Rect inked = m_inked;
    for (const auto &[pointer, live] : m_live)
        inked |= live.mask.rect();
    const RectF device(logicalRect.x() * m_ratio, logicalRect.y() * m_ratio, logicalRect.width() * m_ratio,
                       logicalRect.height() * m_ratio);
    return device.toAlignedRect() & m_image.rect() & inked;
}

bool InkLayer::liveWithin(const Rect &device) const
{
    return std::any_of(m_live.begin(), m_live.end(),
                       [&device](const auto &entry) { return entry.second.mask.rect().intersects(device); });
}

PixelBuffer InkLayer::composed(const Rect &device)
{
    ensureImage();
    const Rect area = device & m_image.rect();
    PixelBuffer part = m_image.copy(area);
    const InkRaster::Surface surface = InkRaster::Surface::of(part, area.topLeft());
    for (const auto &[pointer, live] : m_live)
        compositeStroke(surface, live.mask, live.stroke, area);
    return part;
}

} // namespace core
