#pragma once

#include "Color.h"
#include "CoverageMask.h"
#include "PixelBuffer.h"
#include "PointF.h"
#include "Rect.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace core {

// Rasterises ink: round-capped segments into a coverage mask, and a mask in one
// colour onto premultiplied pixels. Written by hand because a general path
// for a short wide line costs microseconds, and a page may hold a million
// segments to redraw within a frame; and so that every front-end shows the
// same pixels.
namespace InkRaster {

// Device pixels that a segment of this radius can touch: its bounding box
// grown by the anti-aliasing ramp.
Rect reach(PointF a, PointF b, double radiusPx);

// The capsule around a→b (a dot when a == b), clipped to the mask's rectangle.
// Pixels within radius − ½ are fully covered; coverage falls to none at radius + ½.
// With an edge, coverage instead falls evenly with the distance over the edge
// and the pixel of ramp outside it, so compositeEdged can tell rim from core.
void capsule(CoverageMask &mask, PointF a, PointF b, double radiusPx, double edgePx = 0);

// The pixels of a buffer, placed in mask coordinates. Taken once, so several
// workers may each draw into their own rows of one buffer.
struct Surface
{
    Rgba *bits = nullptr;
    std::size_t stride = 0; // pixels from one row to the next
    Rect rect;              // where the buffer lies, in mask coordinates

    static Surface of(PixelBuffer &buffer, Point origin = {});
};

// `color` through the mask over the surface (source-over, premultiplied), within `clip`.
void composite(const Surface &surface, const CoverageMask &mask, Rgba color, const Rect &clip);
// `color` through the mask on only the pixels `where(x, y)` accepts.
template <typename Where>
void compositeWhere(const Surface &surface, const CoverageMask &mask, Rgba color, const Rect &clip, Where where);
// One pixel: `color` at coverage `c` over `d`, premultiplied.
Rgba over(Rgba d, Rgba color, std::uint32_t c);
// `color` with a rim `edgePx` wide in `edge`, through a mask drawn with that edge.
void compositeEdged(const Surface &surface, const CoverageMask &mask, Rgba color, Rgba edge, double edgePx,
                    const Rect &clip);

template <typename Where>
void compositeWhere(const Surface &surface, const CoverageMask &mask, Rgba color, const Rect &clip, Where where)
{
    const Rect area = mask.rect() & clip & surface.rect;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto [first, last] = mask.span(y);
        const std::uint8_t *cover = mask.row(y);
        Rgba *dst = surface.bits + std::size_t(y - surface.rect.y()) * surface.stride;
        for (int x = std::max(first, area.left()); x <= std::min(last, area.right()); ++x) {
            const std::uint8_t c = cover[x - mask.rect().x()];
            Rgba &d = dst[x - surface.rect.x()];
            if (c != 0 && where(x, y))
                d = over(d, color, c);
        }
    }
}

} // namespace InkRaster

} // namespace core
