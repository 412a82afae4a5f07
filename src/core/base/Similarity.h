#pragma once

#include "PointF.h"

#include <cmath>

namespace core {

// Where a figure's own units land on a surface: a uniform scale about an origin.
// Ink kept in these units follows its figure when the window changes size.
struct Similarity
{
    PointF origin;
    double scale = 1;

    PointF map(PointF units) const { return origin + units * scale; }
    PointF unmap(PointF pixels) const { return (pixels - origin) / scale; }
    // A collapsed figure (a picture too small for it) has nothing to place ink on.
    bool usable() const { return scale > 0 && std::isfinite(scale) && origin.isFinite(); }
    Similarity scaled(double factor) const { return {origin * factor, scale * factor}; }

    friend bool operator==(const Similarity &, const Similarity &) = default;
};

} // namespace core
