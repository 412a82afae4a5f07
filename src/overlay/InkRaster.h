#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>

#include <cstdint>
#include <utility>
#include <vector>

// How much ink covers each device pixel of a rectangle, 0 to 255. Segments are
// added by taking the larger coverage, so a stroke never darkens where it
// crosses itself and the result does not depend on the order of its segments.
// Each row remembers the columns it has touched, so a thin stroke across a
// large rectangle costs its own pixels, not the rectangle's.
class CoverageMask
{
public:
    const QRect &rect() const { return m_rect; }
    bool isEmpty() const { return m_rect.isEmpty(); }
    // Starts over, all zero, on `rect`; clears only what was touched.
    void reset(const QRect &rect);
    // Widens to hold `rect` too, keeping what is covered.
    void include(const QRect &rect);
    std::uint8_t *row(int y) { return m_alpha.data() + std::size_t(y - m_rect.y()) * m_rect.width(); }
    const std::uint8_t *row(int y) const { return m_alpha.data() + std::size_t(y - m_rect.y()) * m_rect.width(); }
    // Columns [first, last] of row y may hold coverage; none when first > last.
    std::pair<int, int> span(int y) const { return m_spans[std::size_t(y - m_rect.y())]; }
    void touch(int y, int first, int last);

private:
    QRect m_rect;
    std::vector<std::uint8_t> m_alpha;
    std::vector<std::pair<int, int>> m_spans;
};

// Rasterises ink: round-capped segments into a coverage mask, and a mask in one
// colour onto a premultiplied ARGB image. Written by hand because the painter's
// general path for a short wide line costs microseconds, and a page may hold
// a million segments to redraw within a frame.
namespace InkRaster {

// Device pixels that a segment of this radius can touch: its bounding box
// grown by the anti-aliasing ramp.
QRect reach(QPointF a, QPointF b, double radiusPx);

// The capsule around a→b (a dot when a == b), clipped to the mask's rectangle.
// Pixels within radius − ½ are fully covered; coverage falls to none at radius + ½.
void capsule(CoverageMask &mask, QPointF a, QPointF b, double radiusPx);

// The pixels of a premultiplied ARGB image, placed in mask coordinates. Taken
// once, so several threads may each draw into their own rows of one image.
struct Surface
{
    uchar *bits = nullptr;
    qsizetype stride = 0;
    QRect rect; // where the image lies, in mask coordinates

    static Surface of(QImage &image, QPoint origin = {});
};

// `color` through the mask over the surface (source-over, premultiplied), within `clip`.
void composite(const Surface &surface, const CoverageMask &mask, QRgb color, const QRect &clip);

} // namespace InkRaster
