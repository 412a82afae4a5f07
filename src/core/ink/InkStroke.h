#pragma once

#include "InkRaster.h"
#include "Similarity.h"

#include "Color.h"
#include "RectF.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace core {

// A point of a stroke in its figure's units; `widthFactor` scales the stroke's
// width here (1 for mouse and finger, from the pressure for a pen).
struct InkPoint
{
    float x = 0;
    float y = 0;
    float widthFactor = 1;

    PointF pos() const { return {x, y}; }
};

// One stroke as kept and saved: colour, width and points, in figure units.
struct Stroke
{
    Rgba color = 0xffffffff;
    float width = 0;
    std::vector<InkPoint> points;
};

// A stroke with what drawing and erasing it quickly need: the bounds of each
// run of points, and, once finished, which points the drawing may skip. Runs
// are drawn independently, so drawing part of a page gives exactly the pixels
// that drawing the whole page gives there. A stroke of one run, as most are,
// keeps nothing beyond its points and a word of flags.
class InkStroke
{
public:
    static constexpr int kChunkPoints = 32;

    // A live stroke, growing point by point.
    InkStroke(Rgba color, float width, const InkPoint &first);
    // A finished stroke, ready to draw.
    explicit InkStroke(Stroke stroke);
    InkStroke(InkStroke &&) noexcept;
    InkStroke &operator=(InkStroke &&) noexcept;
    ~InkStroke();

    // Strokes on a page are drawn in the order of their ids.
    std::uint32_t id() const { return m_id; }
    void setId(std::uint32_t id) { m_id = id; }

    void append(const InkPoint &point);
    // Called once the stroke ends: settles the points that drawing may skip
    // and gives back spare memory.
    void finish();

    const Stroke &data() const { return m_stroke; }
    std::size_t size() const { return m_stroke.points.size(); }
    // Figure units, widened by the half width, so every pixel the stroke (or
    // one of its runs) can touch lies inside.
    RectF bounds() const;
    int chunkCount() const { return int((size() + kChunkPoints - 1) / kChunkPoints); }
    RectF chunkBounds(int chunk) const;

    // How a stroke is drawn into a mask: as itself; for InkRaster::compositeEdged,
    // its rim of edgePx() outside the pen's colour; or as the outline of that rim alone.
    enum class Look { Plain, Edged, Rim };

    // Device pixels that a rectangle in figure units can touch once drawn.
    static Rect deviceReach(const RectF &units, const Similarity &device);
    // Those of the whole stroke, or of one run, with room for a rim when `rimmed`.
    Rect reach(const Similarity &device, bool rimmed) const { return grown(bounds(), device, rimmed); }
    Rect chunkReach(int chunk, const Similarity &device, bool rimmed) const
    {
        return grown(chunkBounds(chunk), device, rimmed);
    }
    Rect grown(const RectF &units, const Similarity &device, bool rimmed) const;
    // Draws one run into the mask, placed by `device` (figure units to device pixels).
    void renderChunk(CoverageMask &mask, int chunk, const Similarity &device, Look look = Look::Plain) const;
    // Draws the newest segment only, as a live stroke grows.
    void renderLast(CoverageMask &mask, const Similarity &device, Look look = Look::Plain) const;
    // The rim, in device pixels: a share of the stroke's width, and never less than a hairline.
    double edgePx(const Similarity &device) const;
    // Whether the stroke passes within `reach` (beyond its own half width) of the segment a→b.
    bool passesWithin(PointF a, PointF b, double reach) const;

private:
    struct Index;

    RectF segmentBounds(std::size_t from, std::size_t to) const;
    RectF runBounds(int chunk) const;
    std::size_t runStart(int chunk) const { return chunk == 0 ? 0 : std::size_t(chunk) * kChunkPoints - 1; }
    std::size_t runEnd(int chunk) const { return std::min(size(), std::size_t(chunk + 1) * kChunkPoints) - 1; }
    bool skipped(std::size_t index) const;
    void skip(std::size_t index);
    double radiusPx(std::size_t index, const Similarity &device) const;
    void segment(CoverageMask &mask, std::size_t from, std::size_t to, const Similarity &device, Look look) const;
    void growIndex();
    void settleBounds();
    void simplifyChunk(int chunk);

    Stroke m_stroke;
    std::uint32_t m_id = 0;
    // Points of the first run that drawing skips: each lies within a hair of
    // the straight segment that replaces it, so the picture does not change.
    std::uint32_t m_skipInFirstRun = 0;
    // Only for strokes of more than one run.
    std::unique_ptr<Index> m_index;
    bool m_finished = false;
};

} // namespace core
