#include "InkCanvas.h"

#include "Parallel.h"

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
// A live stroke's mask grows by at least this much, so it is rarely copied.
constexpr int kLiveMaskMarginPx = 64;
// A page with this much ink is drawn anew in bands, by several workers where there are some.
constexpr std::size_t kThreadedFromPoints = 20000;
constexpr int kMostThreads = 4;

} // namespace

InkCanvas::InkCanvas(InkStrokes &strokes) : m_strokes(strokes) { m_strokes.watch(this); }
InkCanvas::~InkCanvas() { m_strokes.watch(nullptr); }

// ---------------------------------------------------------------- placement

void InkCanvas::setFrame(const Similarity &frame)
{
    if (frame == m_style.frame)
        return;
    m_style.frame = frame;
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
    if (ratio == m_style.ratio && fits && !wasteful && !m_image.isNull())
        return;
    m_style.ratio = ratio;
    m_image = PixelBuffer(allotted);
    m_painted = Rect();
    m_stale = true;
}

void InkCanvas::setEdged(bool edged)
{
    if (edged == m_style.edged)
        return;
    m_style.edged = edged;
    m_stale = true;
    markAllDirty();
}

// Only a change of fills under some stroke's rim draws the page again.
void InkCanvas::setGround(InkGround ground)
{
    if (ground == m_style.ground)
        return;
    const InkGround before = std::exchange(m_style.ground, std::move(ground));
    if (m_style.edged)
        return;
    bool touched = !m_strokes.live().empty();
    for (auto s = m_strokes.finished().begin(); !touched && s != m_strokes.finished().end(); ++s) {
        const RectF logical = m_style.logical((*s)->reach(m_style.device(), true));
        const Rgba pen = (*s)->data().color;
        touched = before.hides(before.hiding(pen), logical) || m_style.ground.hides(m_style.ground.hiding(pen), logical);
    }
    if (touched) {
        m_stale = true;
        markAllDirty();
    }
}

bool InkCanvas::placeable() const { return m_style.frame.usable() && !m_image.isNull(); }

void InkCanvas::markDirty(const Rect &device)
{
    if (device.isEmpty())
        return;
    m_dirty |= m_style.logical(device).toAlignedRect();
}

void InkCanvas::ensureImage()
{
    if (m_image.isNull())
        resize(m_logicalSize, m_style.ratio);
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
    m_kept.clear();
    for (const auto &[pointer, stroke] : m_strokes.live()) {
        Live &live = m_live[pointer];
        const Rect area = m_style.frame.usable() ? reachOf(stroke) : Rect();
        live.mask.reset(area);
        live.rim.reset(m_style.rimsLive() ? area : Rect());
        m_style.renderLive(stroke, live.mask, live.rim);
    }
    if (!m_style.frame.usable() || m_image.isNull())
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
            m_style.render(*stroke, band, nullptr, scratch, rim, surface);
    });
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
        m_style.render(*stroke, tiles.bounds(), &tiles, m_scratch, m_rimScratch, surface);
}

InkCanvas::Tiles InkCanvas::tilesOf(const InkStrokes::Ids &ids) const
{
    Tiles tiles(m_image.size());
    const Similarity device = m_style.device();
    for (std::uint32_t id : ids) {
        const InkStroke &stroke = m_strokes.byId(id);
        for (int c = 0; c < stroke.chunkCount(); ++c)
            tiles.add(stroke.chunkReach(c, device, m_style.rimmed()));
    }
    return tiles;
}

// Points that drawing the tiles again would visit: what putting strokes back costs.
std::size_t InkCanvas::costOfRedraw(const Tiles &tiles) const
{
    std::size_t points = 0;
    for (const auto &stroke : m_strokes.finished())
        if (tiles.touches(stroke->reach(m_style.device(), m_style.rimmed())))
            points += stroke->size();
    return points;
}

// ---------------------------------------------------------------- strokes being drawn

void InkCanvas::grew(PointerId pointer, const InkStroke &stroke)
{
    ensureImage();
    const Similarity device = m_style.device();
    const bool rims = m_style.rimsLive();
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
        reach = stroke.grown(segment.adjusted(-half, -half, half, half), device, m_style.rimmed()) & m_image.rect();
        if (!live.mask.rect().contains(reach)) {
            const Rect area =
                reach.adjusted(-kLiveMaskMarginPx, -kLiveMaskMarginPx, kLiveMaskMarginPx, kLiveMaskMarginPx) &
                m_image.rect();
            live.mask.include(area);
            if (rims)
                live.rim.include(area);
        }
    }
    m_style.renderLast(stroke, live.mask, live.rim);
    markDirty(reach);
}

// Only where the stroke lies, not its mask's room to grow.
void InkCanvas::ended(PointerId pointer, const InkStroke &stroke)
{
    if (m_live.erase(pointer) != 0)
        markDirty(reachOf(stroke));
}

// The newest stroke lies above all others, so it is drawn over them.
void InkCanvas::finished(const InkStroke &stroke)
{
    if (m_stale || !placeable())
        return;
    m_style.render(stroke, m_image.rect(), nullptr, m_scratch, m_rimScratch, InkRaster::Surface::of(m_image));
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
    if (ids.size() == m_strokes.finished().size()) {
        m_leaving.keepWhole = true;
        m_leaving.snapshot.generation = m_generation;
        m_leaving.snapshot.ids = ids;
        return;
    }
    m_leaving.snapshot = InkSnapshots::ofTiles(m_image, tiles, ids, m_generation);
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
    if (!gone.snapshot.whole.isNull() || !gone.snapshot.tiles.empty())
        m_kept.keep(step, std::move(gone.snapshot), m_strokes.stepsByDistance());
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
    std::vector<InkSnapshots::Snapshot> snapshots = m_kept.take(step);
    for (std::uint32_t id : ids)
        m_inked |= reachOf(m_strokes.byId(id));
    if (m_stale || !placeable()) {
        markAllDirty();
        return;
    }
    const auto restored = [this](const Rect &r) {
        m_painted |= r;
        markDirty(r);
    };
    if (const auto kept = InkSnapshots::putBack(snapshots, m_generation, m_image, restored)) {
        // A gesture's strokes taken off without their pixels kept, or whose
        // pixels were dropped since, are drawn again over what was put back.
        InkStrokes::Ids unkept;
        std::set_difference(ids.begin(), ids.end(), kept->begin(), kept->end(), std::back_inserter(unkept));
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
            m_style.render(stroke, m_image.rect(), nullptr, m_scratch, m_rimScratch, InkRaster::Surface::of(m_image));
            m_painted |= reachOf(stroke);
            markDirty(reachOf(stroke));
        }
        return;
    }
    const Tiles tiles = tilesOf(ids);
    renderTiles(tiles);
    markDirty(tiles.bounds());
}

// ---------------------------------------------------------------- painting

Rect InkCanvas::inkedDeviceRect(const Rect &logicalRect)
{
    ensureImage();
    Rect inked = m_inked;
    for (const auto &[pointer, live] : m_live)
        inked |= live.mask.rect() | live.rim.rect();
    const double r = m_style.ratio;
    const RectF device(logicalRect.x() * r, logicalRect.y() * r, logicalRect.width() * r, logicalRect.height() * r);
    return device.toAlignedRect() & m_image.rect() & inked;
}

bool InkCanvas::liveWithin(const Rect &device) const
{
    return std::any_of(m_live.begin(), m_live.end(), [&device](const auto &entry) {
        return (entry.second.mask.rect() | entry.second.rim.rect()).intersects(device);
    });
}

const PixelBuffer &InkCanvas::composed(const Rect &device)
{
    ensureImage();
    const Rect area = device & m_image.rect();
    m_image.copy(area, m_composed);
    const InkRaster::Surface surface = InkRaster::Surface::of(m_composed, area.topLeft());
    for (const auto &[pointer, live] : m_live)
        if (const auto stroke = m_strokes.live().find(pointer); stroke != m_strokes.live().end())
            m_style.composite(surface, live.mask, live.rim.isEmpty() ? nullptr : &live.rim, stroke->second, area);
    return m_composed;
}

} // namespace core
