#pragma once

#include "IntMath.h"
#include "LineWeight.h"
#include "Similarity.h"

#include "Color.h"
#include "Point.h"

#include <vector>

namespace core {

class DrawOps;

// The regular polygon inscribed in the largest circle that fits the area,
// with its radii.
struct PolygonFigure
{
    static constexpr int kMinSides = 3;
    static constexpr int kMaxSides = 64;
    static constexpr int kEdgeWidthPx = 2;
    static constexpr int kRadiusWidthPx = 1;
    static inline const Color kEdgeColor{0, 0, 255};
    static inline const Color kRadiusColor{255, 0, 0};

    Int16 diameter = 0;
    Int16 radius = 0;
    Point centre;
    // Vertices 0 to n; the last closes the figure on the first.
    std::vector<Point> vertices;

    static PolygonFigure compute(float scaleWidth, float scaleHeight, int sides);
    // Ink on this page is kept in radii from the centre.
    static Similarity frame(float scaleWidth, float scaleHeight);
    // Without its radii over squared paper, whose squares they would hide.
    void paint(DrawOps &ops, LineWeight weight = {}, bool radii = true) const;
};

} // namespace core
