#pragma once

#include "InkRaster.h"
#include "Similarity.h"

#include <QRectF>
#include <QRgb>

#include <vector>

// A point of a stroke in its figure's units; `widthFactor` scales the stroke's
// width here (1 for mouse and finger, from the pressure for a pen).
struct InkPoint
{
    float x = 0;
    float y = 0;
    float widthFactor = 1;

    QPointF pos() const { return {x, y}; }
};

// One stroke as kept and saved: colour, width and points, in figure units.
struct Stroke
{
    QRgb color = 0xffffffff;
    float width = 0;
    std::vector<InkPoint> points;
};

// A stroke with what drawing and erasing it quickly need: the bounds of each
// run of points, and, once finished, which points the drawing may skip. Runs
// are drawn independently, so drawing part of a page gives exactly the pixels
// that drawing the whole page gives there.
class InkStroke
{
public:
    static constexpr int kChunkPoints = 32;

    // A live stroke, growing point by point.
    InkStroke(QRgb color, float width, const InkPoint &first);
    // A finished stroke, ready to draw.
    explicit InkStroke(Stroke stroke);

    void append(const InkPoint &point);
    // Called once the stroke ends: settles the points that drawing may skip
    // and gives back spare memory.
    void finish();

    const Stroke &data() const { return m_stroke; }
    std::size_t size() const { return m_stroke.points.size(); }
    QRectF bounds() const { return m_bounds; }
    int chunkCount() const { return int(m_chunks.size()); }
    // Figure units, widened by the half width, so every pixel a run can touch lies inside.
    QRectF chunkBounds(int chunk) const { return m_chunks[std::size_t(chunk)]; }

    // Device pixels that a rectangle in figure units can touch once drawn.
    static QRect deviceReach(const QRectF &units, const Similarity &device);
    // Draws one run into the mask, placed by `device` (figure units to device pixels).
    void renderChunk(CoverageMask &mask, int chunk, const Similarity &device) const;
    // Draws the newest segment only, as a live stroke grows.
    void renderLast(CoverageMask &mask, const Similarity &device) const;
    // Whether the stroke passes within `reach` (beyond its own half width) of the segment a→b.
    bool passesWithin(QPointF a, QPointF b, double reach) const;

private:
    double radiusPx(std::size_t index, const Similarity &device) const;
    void segment(CoverageMask &mask, std::size_t from, std::size_t to, const Similarity &device) const;
    void growBounds(std::size_t index);
    void simplifyChunk(int chunk);

    Stroke m_stroke;
    QRectF m_bounds;
    std::vector<QRectF> m_chunks;
    // Points a finished stroke skips: each lies within a hair of the straight
    // segment that replaces it, so the picture does not change.
    std::vector<bool> m_skip;
    bool m_finished = false;
};
