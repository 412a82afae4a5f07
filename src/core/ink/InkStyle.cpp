#include "InkStyle.h"

#include "PenPalette.h"

namespace core {

using Look = InkStroke::Look;

RectF InkStyle::logical(const Rect &d) const { return RectF(d.x() / ratio, d.y() / ratio, d.width() / ratio, d.height() / ratio); }

// None at the heavier weights, where every stroke has its rim.
std::uint64_t InkStyle::hiddenUnder(const InkStroke &stroke) const
{
    if (edged || ground.empty())
        return 0;
    const std::uint64_t hidden = ground.hiding(stroke.data().color);
    return hidden != 0 && ground.hides(hidden, logical(stroke.reach(device(), true))) ? hidden : 0;
}

void InkStyle::renderLive(const InkStroke &stroke, CoverageMask &mask, CoverageMask &rim) const
{
    for (int c = 0; c < stroke.chunkCount(); ++c) {
        stroke.renderChunk(mask, c, device(), edged ? Look::Edged : Look::Plain);
        if (rimsLive())
            stroke.renderChunk(rim, c, device(), Look::Rim);
    }
}

void InkStyle::renderLast(const InkStroke &stroke, CoverageMask &mask, CoverageMask &rim) const
{
    stroke.renderLast(mask, device(), edged ? Look::Edged : Look::Plain);
    if (rimsLive())
        stroke.renderLast(rim, device(), Look::Rim);
}

// Only the runs that reach `clip` (and, given `only`, its marked tiles) are
// drawn; pixels come out the same as when the whole stroke is drawn.
void InkStyle::render(const InkStroke &stroke, const Rect &clip, const InkTiles *only, CoverageMask &scratch,
                      CoverageMask &rimScratch, const InkRaster::Surface &surface) const
{
    const Similarity placed = device();
    const Rect box = stroke.reach(placed, rimmed()) & clip;
    if (box.isEmpty() || (only && !only->touches(box)))
        return;
    const bool hidden = hiddenUnder(stroke) != 0;
    scratch.reset(box);
    if (hidden)
        rimScratch.reset(box);
    bool drawn = false;
    for (int c = 0; c < stroke.chunkCount(); ++c) {
        const Rect reach = stroke.chunkReach(c, placed, rimmed()) & box;
        if (reach.isEmpty() || (only && !only->touches(reach)))
            continue;
        stroke.renderChunk(scratch, c, placed, edged ? Look::Edged : Look::Plain);
        if (hidden)
            stroke.renderChunk(rimScratch, c, placed, Look::Rim);
        drawn = true;
    }
    if (!drawn)
        return;
    const CoverageMask *rim = hidden ? &rimScratch : nullptr;
    if (!only)
        composite(surface, scratch, rim, stroke, box);
    else
        only->forEachIn(box, [&](const Rect &tile) { composite(surface, scratch, rim, stroke, tile); });
}

// A rim at the design weight goes under the stroke, on the fills it would vanish on only.
void InkStyle::composite(const InkRaster::Surface &surface, const CoverageMask &mask, const CoverageMask *rim,
                         const InkStroke &stroke, const Rect &clip) const
{
    const Rgba color = stroke.data().color;
    const Rgba edge = PenPalette::edgeFor(Color::fromRgba(color)).rgba();
    if (edged) {
        InkRaster::compositeEdged(surface, mask, color, edge, stroke.edgePx(device()), clip);
        return;
    }
    if (const std::uint64_t hidden = rim ? hiddenUnder(stroke) : 0) {
        InkRaster::compositeWhere(surface, *rim, edge, clip, [&](int x, int y) {
            const int under = ground.colourAt(PointF((x + 0.5) / ratio, (y + 0.5) / ratio));
            return under >= 0 && ((hidden >> under) & 1u);
        });
    }
    InkRaster::composite(surface, mask, color, clip);
}

} // namespace core
