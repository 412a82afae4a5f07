#pragma once

#include "LineWeight.h"
#include "ParallelogramFigure.h"
#include "PointF.h"

#include <vector>

namespace core {

class DrawOps;

// The parallelogram's sectors with the first one cut along its middle: one
// half stays at the start, the other goes to the far end, so both ends stand
// upright and the figure approaches a rectangle of base πR and height R. The
// circle and the steps are the parallelogram's.
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

    ParallelogramFigure circle; // the circle at this step
    std::vector<Piece> moved;
    // Where the upright ends stand once laid out: their feet on the base.
    PointF firstFoot;
    PointF lastFoot;

    static RectangleFigure compute(float scaleWidth, float scaleHeight, int half, int step);
    void paint(DrawOps &ops, LineWeight weight = {}) const;
};

} // namespace core
