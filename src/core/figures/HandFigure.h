#pragma once

#include "Color.h"
#include "LineWeight.h"
#include "SectorArrangement.h"
#include "Similarity.h"

#include <array>
#include <vector>

namespace core {

class DrawOps;

// The circle's sectors where a pupil has put them: those still in the circle
// in their places, the ones taken out over it in the order they were put
// down. The circle is the parallelogram's, and so are the sectors' size and
// colours.
struct HandFigure
{
    // The circle of N sectors in a picture of one size: its frame (the
    // figure's units, radii, onto pixels), its centre in those units and the
    // angle of one sector. Unusable in a picture too small for a circle.
    struct Geometry
    {
        Similarity frame;
        PointF centre;
        double theta = 0;
        int sectors = 0;

        bool usable() const { return frame.usable() && sectors > 0; }
        // Sector i's middle direction where it lies in the circle, and the way
        // it stands once taken out: arc up for the upper half, down for the lower.
        double homeAxis(int sector) const;
        double upright(int sector) const;
        // The apex, the arc's right end and its left end (seen from the apex), in units.
        std::array<PointF, 3> vertices(const SectorPose &pose) const;
        // Which sector of the circle a point in units falls in; -1 outside it.
        int sectorAt(PointF units) const;
        bool contains(const SectorPose &pose, PointF units, double reach) const;
    };

    struct Piece
    {
        PointF apex; // px
        float start = 0;
        float end = 0;
        Color fill;
    };

    Geometry geometry;
    float R = 0;
    PointF centre; // px
    std::vector<Piece> home;   // sectors still in the circle
    std::vector<Piece> placed; // taken out, bottom first
    std::vector<bool> out;

    static Geometry geometryOf(float scaleWidth, float scaleHeight, int half);
    static HandFigure compute(float scaleWidth, float scaleHeight, int half, const SectorArrangement &arrangement);
    static Color fillOf(int sector, int sectors);
    void paint(DrawOps &ops, LineWeight weight = {}) const;
};

} // namespace core
