#pragma once

#include "CoverageMask.h"
#include "InkGround.h"
#include "InkRaster.h"
#include "InkStroke.h"
#include "InkTiles.h"
#include "Similarity.h"

#include <cstdint>

namespace core {

// How strokes look on a canvas: placed by its frame at its pixel ratio, with
// a rim at the heavier weights, or at the design weight over the fills their
// pen would vanish on. Draws a stroke, or the runs of it that reach some
// tiles, through coverage masks onto pixels.
struct InkStyle
{
    Similarity frame; // figure units to logical pixels
    double ratio = 1;
    bool edged = false;
    InkGround ground;

    Similarity device() const { return frame.scaled(ratio); }
    // Whether some stroke may have a rim: its pixels reach that much further.
    bool rimmed() const { return edged || !ground.empty(); }
    // Whether a stroke being drawn needs a mask of where its rim may go.
    bool rimsLive() const { return !edged && !ground.empty(); }
    RectF logical(const Rect &device) const;
    // The colours of the ground under the stroke that its pen would vanish on.
    std::uint64_t hiddenUnder(const InkStroke &stroke) const;

    void renderLive(const InkStroke &stroke, CoverageMask &mask, CoverageMask &rim) const;
    void renderLast(const InkStroke &stroke, CoverageMask &mask, CoverageMask &rim) const;
    void render(const InkStroke &stroke, const Rect &clip, const InkTiles *only, CoverageMask &scratch,
                CoverageMask &rimScratch, const InkRaster::Surface &surface) const;
    void composite(const InkRaster::Surface &surface, const CoverageMask &mask, const CoverageMask *rim,
                   const InkStroke &stroke, const Rect &clip) const;
};

} // namespace core
