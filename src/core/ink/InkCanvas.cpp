#include "InkCanvas.h"

#include "Parallel.h"
#include "PenPalette.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace core {

namespace {

// The image grows in steps and is kept while the layer shrinks a little, so
// dragging the window's border does not reallocate on every pixel.
constexpr int kImageStepPx = 256;
constexpr std::int64_t kMostWastedFactor = 4;
// Pixel ratios beyond these are a driver's or a message's error.
constexpr double kSmallestRatio = 1.0 / 16;
constexpr double kLargestRatio = 16;
// A step whose undoing would draw more points again than this keeps the
// pixels it took away instead.
constexpr std::size_t kSnapshotFromPoints = 4096;
constexpr std::size_t kSnapshotBudgetBytes = std::size_t(64) << 20;
// A live stroke's mask grows by at least this much, so it is rarely copied.
constexpr int kLiveMaskMarginPx = 64;
// A page with this much ink is drawn anew in bands, by several workers where there are some.
constexpr std::size_t kThreadedFromPoints = 20000;
constexpr int kMostThreads = 4;

using Look = InkStroke::Look;

} // namespace

std::size_t InkCanvas::Snapshot::bytes() const
{
    return ids.size() * sizeof(std::uint32_t) + whole.sizeInBytes() + pixels.size() * sizeof(Rgba);
}

InkCanvas::InkCanvas(InkStrokes &strokes) : m_strokes(strokes) { m_strokes.watch(this); }
InkCanvas::~InkCanvas() { m_strokes.watch(nullptr); }

// ---------------------------------------------------------------- placement

void InkCanvas::setFrame(const Similarity &frame)
{
    if (frame == m_frame)
        return;
    m_frame = frame;
    m_stale = true;
}

void InkCanvas::resize(const Size &logicalSize, double devicePixelRatio)
{
    const double ratio = std::isfinite(devicePixelRatio) && devicePixelRatio > 0
                             ? std::clamp(devicePixelRatio, kSmallestRatio, kLargestRatio)
                             : 1.0;
    m_logicalSize = Size(std::clamp(logicalSize.width(), 0, kLargestDevicePx),
                         std::clamp(logicalSize.height(), 0, kLargestDevicePx));
    const auto device = [ratio](int logical) { return int(std::min(logical * ratio + 0.5, double(kLargestDevicePx))); };
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
    m_painted = Rect();
    m_stale = true;
}

void InkCanvas::setEdged(bool edged)
{
    if (edged == m_edged)
        return;
    m_edged = edged;
    m_stale = true;
    markAllDirty();
}

// Only a change of fills under some stroke's rim draws the page again.
void InkCanvas::setGround(InkGround ground)
{
    if (ground == m_ground)
        return;
    const InkGround before = std::exchange(m_ground, std::move(ground));
    if (m_edged)
        return;
    bool touched = !m_strokes.live().empty();
    for (auto s = m_strokes.finished().begin(); !touched && s != m_strokes.finished().end(); ++s) {
        const Rect r = (*s)->reach(deviceFrame(), true);
        const RectF logical(r.x() / m_ratio, r.y() / m_ratio, r.width() / m_ratio, r.height() / m_ratio);
        const Rgba pen = (*s)->data().color;
        touched = before.hides(before.hiding(pen), logical) || m_ground.hides(m_ground.hiding(pen), logical);
    }
    if (touched) {
        m_stale = true;
        markAllDirty();
    }
}

bool InkCanvas::placeable() const { return m_frame.usable() && !m_image.isNull(); }

void InkCanvas::markDirty(const Rect &device)
{
    if (device.isEmpty())
        return;
    m_dirty |= RectF(device.x() / m_ratio, device.y() / m_ratio, device.width() / m_ratio, device.height() / m_ratio)
                   .toAlignedRect();
}

void InkCanvas::ensureImage()
{
    if (m_image.isNull())
        resize(m_logicalSize, m_ratio);
    if (m_stale)
        renderAll();
}

const PixelBuffer &InkCanvas::image()
{
    ensureImage();
    return m_image;
}

// ---------------------------------------------------------------- drawing

void InkCanvas::renderAll()
{
    m_image.fill(m_painted, 0);
    m_inked = Rect();
    m_stale = false;
    ++m_generation;
    dropSnapshots();
    for (const auto &[pointer, stroke] : m_strokes.live())
        renderLive(stroke, m_live[pointer]);
    if (!m_frame.usable() || m_image.isNull())
        return;
    // A full page is drawn in horizontal bands, one worker each: every pixel
    // still gets its strokes in the same order, so the result does not change.
    for (const auto &stroke : m_strokes.finished())
        m_inked |= reachOf(*stroke);
    m_painted = m_inked;
    const InkRaster::Surface surface = InkRaster::Surface::of(m_image);
    const int bands =
        m_strokes.pointCount() < kThreadedFromPoints ? 1 : std::clamp(Parallel::workers(), 1, kMostThreads);
    const int rows = (m_image.height() + bands - 1) / bands;
    std::vector<CoverageMask> scratches(2 * std::size_t(bands - 1));
    Parallel::each(bands, [&](int b) {
        CoverageMask &scratch = b == 0 ? m_scratch : scratches[2 * std::size_t(b - 1)];
        CoverageMask &rim = b == 0 ? m_rimScratch : scratches[2 * std::size_t(b - 1) + 1];
        const Rect band(0, b * rows, m_image.width(), rows);
        for (const auto &stroke : m_strokes.finished())
            renderStroke(*stroke, band, nullptr, scratch, rim, surface);
    });
}

void InkCanvas::renderLive(const InkStroke &stroke, Live &live)
{
    const Similarity device = deviceFrame();
    const Rect area = m_frame.usable() ? reachOf(stroke) : Rect();
    const bool rims = !m_edged && !m_ground.empty();
    live.mask.reset(area);
    live.rim.reset(rims ? area : Rect());
    for (int c = 0; c < stroke.chunkCount(); ++c) {
        stroke.renderChunk(live.mask, c, device, m_edged ? Look::Edged : Look::Plain);
        if (rims)
            stroke.renderChunk(live.rim, c, device, Look::Rim);
    }
}

// The fills' colours under the stroke that its pen would vanish on; none at
// the heavier weights, where every stroke has its rim.
std::uint64_t InkCanvas::hiddenUnder(const InkStroke &stroke) const
{
    if (m_edged || m_ground.empty())
        return 0;
    const std::uint64_t hidden = m_ground.hiding(stroke.data().color);
    if (hidden == 0)
        return 0;
    const Rect r = stroke.reach(deviceFrame(), true);
    return m_ground.hides(hidden, RectF(r.x() / m_ratio, r.y() / m_ratio, r.width() / m_ratio, r.height() / m_ratio))
               ? hidden
               : 0;
}

// Only the runs that reach `clip` (and, given `only`, its marked tiles) are
// drawn; pixels come out the same as when the whole stroke is drawn.
void InkCanvas::renderStroke(const InkStroke &stroke, const Rect &clip, const Tiles *only, CoverageMask &scratch,
                             CoverageMask &rimScratch, const InkRaster::Surface &surface) const
{
    const Similarity device = deviceFrame();
    const bool rims = rimmed();
    const Rect box = stroke.reach(device, rims) & clip;
    if (box.isEmpty() || (only && !only->touches(box)))
        return;
    const bool hidden = hiddenUnder(stroke) != 0;
    scratch.reset(box);
    if (hidden)
        rimScratch.reset(box);
    bool drawn = false;
    for (int c = 0; c < stroke.chunkCount(); ++c) {
        const Rect reach = stroke.chunkReach(c, device, rims) & box;
        if (reach.isEmpty() || (only && !only->touches(reach)))
            continue;
        stroke.renderChunk(scratch, c, device, m_edged ? Look::Edged : Look::Plain);
        if (hidden)
            stroke.renderChunk(rimScratch, c, device, Look::Rim);
        drawn = true;
    }
    if (!drawn)
        return;
    const CoverageMask *rim = hidden ? &rimScratch : nullptr;
    if (!only)
        compositeStroke(surface, scratch, rim, stroke, box);
    else
        only->forEachIn(box, [&](const Rect &tile) { compositeStroke(surface, scratch, rim, stroke, tile); });
}

// A rim at the design weight goes under the stroke, on the fills it would vanish on only.
void InkCanvas::compositeStroke(const InkRaster::Surface &surface, const CoverageMask &mask, const CoverageMask *rim,
                                const InkStroke &stroke, const Rect &clip) const
{
    const Rgba color = stroke.data().color;
    const Rgba edge = PenPalette::edgeFor(Color::fromRgba(color)).rgba();
    if (m_edged) {
        InkRaster::compositeEdged(surface, mask, color, edge, stroke.edgePx(deviceFrame()), clip);
        return;
    }
    if (const std::uint64_t hidden = rim ? hiddenUnder(stroke) : 0) {
        InkRaster::compositeWhere(surface, *rim, edge, clip, [&](int x, int y) {
            const int under = m_ground.colourAt(PointF((x + 0.5) / m_ratio, (y + 0.5) / m_ratio));
            return under >= 0 && ((hidden >> under) & 1u);
        });
    }
    InkRaster::composite(surface, mask, color, clip);
}

void InkCanvas::renderTiles(const Tiles &tiles)
{
    for (int index : tiles.indices()) {
        const Rect r = tiles.rectOf(index);
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::fill_n(m_image.row(y) + r.left(), r.width(), Rgba(0));
    }
    m_painted |= tiles.bounds();
    const InkRaster::Surface surface = InkRaster::Surface::of(m_image);
    for (const auto &stroke : m_strokes.finished())
        renderStroke(*stroke, tiles.bounds(), &tiles, m_scratch, m_rimScratch, surface);
}

InkCanvas::Tiles InkCanvas::tilesOf(const InkStrokes::Ids &ids) const
{
    Tiles tiles(m_image.size());
    const Similarity device = deviceFrame();
    for (std::uint32_t id : ids) {
        const InkStroke &stroke = m_strokes.byId(id);
        for (int c = 0; c < stroke.chunkCount(); ++c)
            tiles.add(stroke.chunkReach(c, device, rimmed()));
    }
    return tiles;
}

// Points that drawing the tiles again would visit: what putting strokes back costs.
std::size_t InkCanvas::costOfRedraw(const Tiles &tiles) const
{
    std::size_t points = 0;
    for (const auto &stroke : m_strokes.finished())
        if (tiles.touches(stroke->reach(deviceFrame(), rimmed())))
            points += stroke->size();
    return points;
}

// ---------------------------------------------------------------- strokes being drawn

void InkCanvas::grew(PointerId pointer, const InkStroke &stroke)
{
    ensureImage();
    const Similarity device = deviceFrame();
    const bool rims = !m_edged && !m_ground.empty();
    Live &live = m_live[pointer];
    Rect reach;
    if (stroke.size() == 1) {
        reach = reachOf(stroke);
        const Rect area =
            reach.adjusted(-kLiveMaskMarginPx, -kLiveMaskMarginPx, kLiveMaskMarginPx, kLiveMaskMarginPx) & m_image.rect();
        live.mask.reset(area);
        live.rim.reset(rims ? area : Rect());
    } else {
        const auto &points = stroke.data().points;
        const InkPoint &to = points.back();
        const double half = stroke.data().width * to.widthFactor / 2;
        const RectF segment = RectF(points[points.size() - 2].pos(), to.pos()).normalized();
        reach = stroke.grown(segment.adjusted(-half, -half, half, half), device, rimmed()) & m_image.rect();
        if (!live.mask.rect().contains(reach)) {
            const Rect area =
                reach.adjusted(-kLiveMaskMarginPx, -kLiveMaskMarginPx, kLiveMaskMarginPx, kLiveMaskMarginPx) &
                m_image.rect();
            live.mask.include(area);
            if (rims)
                live.rim.include(area);
        }
    }
    stroke.renderLast(live.mask, device, m_edged ? Look::Edged : Look::Plain);
    if (rims)
        stroke.renderLast(live.rim, device, Look::Rim);
    markDirty(reach);
}

void InkCanvas::ended(PointerId pointer)
{
    const auto it = m_live.find(pointer);
    if (it == m_live.end())
        return;
    markDirty(it->second.mask.rect() | it->second.rim.rect());
    m_live.erase(it);
}

// The newest stroke lies above all others, so it is drawn over them.
void InkCanvas::finished(const InkStroke &stroke)
{
    if (m_stale || !placeable())
        return;
    renderStroke(stroke, m_image.rect(), nullptr, m_scratch, m_rimScratch, InkRaster::Surface::of(m_image));
    const Rect reach = reachOf(stroke);
    m_inked |= reach;
    m_painted |= reach;
    markDirty(reach);
}

// ---------------------------------------------------------------- history

void InkCanvas::leaving(InkStrokes::StepId, const InkStrokes::Ids &ids)
{
    m_leaving = Leaving{};
    m_leaving.drawable = !m_stale && placeable();
    if (!m_leaving.drawable)
        return;
    const Tiles &tiles = m_leaving.tiles.emplace(tilesOf(ids));
    if (costOfRedraw(tiles) < kSnapshotFromPoints)
        return;
    Snapshot &snapshot = m_leaving.snapshot;
    snapshot.generation = m_generation;
    snapshot.ids = ids;
    if (ids.size() == m_strokes.finished().size()) {
        m_leaving.keepWhole = true;
        return;
    }
    snapshot.tiles = tiles.indices();
    for (int index : snapshot.tiles) {
        const Rect r = tiles.rectOf(index);
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const Rgba *row = m_image.row(y) + r.left();
            snapshot.pixels.insert(snapshot.pixels.end(), row, row + r.width());
        }
    }
}

void InkCanvas::left(InkStrokes::StepId step)
{
    Leaving gone = std::move(m_leaving);
    m_leaving = Leaving{};
    if (m_strokes.finished().empty())
        m_inked = Rect();
    if (gone.keepWhole) {
        // The history keeps the old image: start a fresh one rather than copy it.
        gone.snapshot.whole = std::move(m_image);
        m_image = PixelBuffer(gone.snapshot.whole.size());
        m_painted = Rect();
    }
    if (!gone.snapshot.whole.isNull() || !gone.snapshot.tiles.empty()) {
        m_kept[step].push_back(std::move(gone.snapshot));
        keepSnapshotBudget();
    }
    if (!gone.drawable) {
        markAllDirty();
        return;
    }
    if (gone.keepWhole) {
        markDirty(m_image.rect());
        return;
    }
    renderTiles(*gone.tiles);
    markDirty(gone.tiles->bounds());
}

void InkCanvas::returned(InkStrokes::StepId step, const InkStrokes::Ids &ids, bool onTop)
{
    std::vector<Snapshot> snapshots;
    if (const auto kept = m_kept.find(step); kept != m_kept.end()) {
        snapshots = std::move(kept->second);
        m_kept.erase(kept);
    }
    for (std::uint32_t id : ids)
        m_inked |= reachOf(m_strokes.byId(id));
    if (m_stale || !placeable()) {
        markAllDirty();
        return;
    }
    const bool pixelsKept = !snapshots.empty() && std::all_of(snapshots.begin(), snapshots.end(), [this](const Snapshot &s) {
        return s.generation == m_generation;
    });
    if (pixelsKept) {
        // Newest first: each one's pixels were taken after the ones before it.
        for (auto s = snapshots.rbegin(); s != snapshots.rend(); ++s) {
            if (!s->whole.isNull()) {
                m_image = std::move(s->whole);
                m_painted = m_image.rect();
                markDirty(m_image.rect());
                continue;
            }
            const Rgba *from = s->pixels.data();
            const Tiles tiles(m_image.size());
            for (int index : s->tiles) {
                const Rect r = tiles.rectOf(index);
                for (int y = r.top(); y <= r.bottom(); ++y, from += r.width())
                    std::copy_n(from, r.width(), m_image.row(y) + r.left());
                m_painted |= r;
                markDirty(r);
            }
        }
        // A gesture's strokes taken off without their pixels kept, or whose
        // pixels were dropped since, are drawn again over what was put back.
        InkStrokes::Ids kept;
        for (const Snapshot &s : snapshots)
            kept.insert(kept.end(), s.ids.begin(), s.ids.end());
        std::sort(kept.begin(), kept.end());
        InkStrokes::Ids unkept;
        std::set_difference(ids.begin(), ids.end(), kept.begin(), kept.end(), std::back_inserter(unkept));
        if (!unkept.empty()) {
            const Tiles tiles = tilesOf(unkept);
            renderTiles(tiles);
            markDirty(tiles.bounds());
        }
        return;
    }
    if (onTop) {
        for (std::uint32_t id : ids) {
            const InkStroke &stroke = m_strokes.byId(id);
            renderStroke(stroke, m_image.rect(), nullptr, m_scratch, m_rimScratch, InkRaster::Surface::of(m_image));
            m_painted |= reachOf(stroke);
            markDirty(reachOf(stroke));
        }
        return;
    }
    const Tiles tiles = tilesOf(ids);
    renderTiles(tiles);
    markDirty(tiles.bounds());
}

// The steps furthest from the present are the least likely to be needed.
void InkCanvas::keepSnapshotBudget()
{
    std::size_t total = 0;
    for (const auto &[step, snapshots] : m_kept)
        for (const Snapshot &s : snapshots)
            total += s.bytes();
    for (InkStrokes::StepId step : m_strokes.stepsByDistance()) {
        if (total <= kSnapshotBudgetBytes)
            return;
        const auto kept = m_kept.find(step);
        if (kept == m_kept.end())
            continue;
        for (const Snapshot &s : kept->second)
            total -= s.bytes();
        m_kept.erase(kept);
    }
}

// ---------------------------------------------------------------- painting

Rect InkCanvas::inkedDeviceRect(const Rect &logicalRect)
{
    ensureImage();
    Rect inked = m_inked;
    for (const auto &[pointer, live] : m_live)
        inked |= live.mask.rect() | live.rim.rect();
    const RectF device(logicalRect.x() * m_ratio, logicalRect.y() * m_ratio, logicalRect.width() * m_ratio,
                       logicalRect.height() * m_ratio);
    return device.toAlignedRect() & m_image.rect() & inked;
}

bool InkCanvas::liveWithin(const Rect &device) const
{
    return std::any_of(m_live.begin(), m_live.end(), [&device](const auto &entry) {
        return (entry.second.mask.rect() | entry.second.rim.rect()).intersects(device);
    });
}

PixelBuffer InkCanvas::composed(const Rect &device)
{
    ensureImage();
    const Rect area = device & m_image.rect();
    PixelBuffer part = m_image.copy(area);
    const InkRaster::Surface surface = InkRaster::Surface::of(part, area.topLeft());
    for (const auto &[pointer, live] : m_live)
        if (const auto stroke = m_strokes.live().find(pointer); stroke != m_strokes.live().end())
            compositeStroke(surface, live.mask, live.rim.isEmpty() ? nullptr : &live.rim, stroke->second, area);
    return part;
}

} // namespace core
