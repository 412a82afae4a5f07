#pragma once

#include "LineWeight.h"
#include "ParallelogramFigure.h"
#include "PointF.h"
#include "SectorCircle.h"

#include <vector>

namespace core {

class DrawOps;

// The parallelogram's sectors with the first one cut along its middle: one
// half stays at the start, the other goes to the far end, so both ends stand
// upright and the figure approaches a rectangle of base πR and height R. The
// circle and the steps are the parallelogram's; the circle is drawn a sector
// at a time, so a step draws again only the sector that left.
struct RectangleFigure
{
    // A sector or half a sector already laid out: its apex and the angles of its Circle call.
    struct Piece
    {
        PointF apex;
        float start = 0;
        float end = 0;
        Color fill;
    };

    ParallelogramFigure circle; // the circle's size and place, and the sectors' at this step
    SectorCircle remaining;     // what is left of it, drawn a sector at a time
    std::vector<Piece> moved;
    // Where the upright ends stand once laid out: their feet on the base.
    PointF firstFoot;
    PointF lastFoot;

    static RectangleFigure compute(float scaleWidth, float scaleHeight, int half, int step);
    void paint(DrawOps &ops, LineWeight weight = {}) const;
};

} // namespace core
