#pragma once

#include "LineWeight.h"
#include "PointF.h"

#include <vector>

namespace core {

class DrawOps;

// The circle the sectors are cut from, drawn a sector at a time: those still
// in it filled in their half's colour under a red outline, those taken out
// leaving their arc in blue, with every radius red beside a sector still there
// and blue between two gone. As the parallelogram draws it, but a sector that
// leaves changes only its own wedge's calls, so only its wedge is drawn again.
struct SectorCircle
{
    PointF centre;
    float R = 0;
    double theta = 0;
    std::vector<bool> out; // by sector, in the animation's order

    void paint(DrawOps &ops, LineWeight weight) const;
};

} // namespace core
