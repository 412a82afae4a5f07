#pragma once

#include "Color.h"
#include "LineWeight.h"
#include "Similarity.h"

namespace core {

class DrawOps;

// The circle between two squares: the one inscribed in it, standing on a
// corner with the diameters as its diagonals, and the one around it. Their
// areas, 2r² and 4r², hold the circle's between them.
class BoundingSquares
{
public:
    static inline const Color kColor{255, 200, 40};
    // As wide as the figure's outlines, at every weight: one pixel read faint from the back.
    static constexpr int kWidthPx = LineWeight::kMainLinePx;

    // `circle`: the circle's centre and its radius in pixels.
    explicit BoundingSquares(const Similarity &circle) : m_circle(circle) {}

    void paint(DrawOps &ops, LineWeight weight) const;

    // In square units of a circle of radius r: the diagonals are 2r, the side 2r.
    static int innerArea(int radius) { return 2 * radius * radius; }
    static int outerArea(int radius) { return 4 * radius * radius; }

private:
    Similarity m_circle;
};

} // namespace core
