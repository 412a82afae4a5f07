#pragma once

#include "IntMath.h"
#include "LineWeight.h"
#include "Similarity.h"

#include "Color.h"
#include "Point.h"

#include <vector>

namespace core {

class DrawOps;

// A circle cut into N = 2V sectors of which the first `step` have been taken out
// and laid side by side, alternately point-down and point-up, towards a
// parallelogram of base about πR and height about R. A pure function of the
// area's size, V and the step.
struct ParallelogramFigure
{
    static constexpr int kMinHalf = 2;
    static constexpr int kMaxHalf = 32;
    static inline const Color kLowerFill{255, 255, 192};
    static inline const Color kUpperFill{128, 255, 128};
    static inline const Color kRemainingColor{255, 0, 0};
    static inline const Color kMovedColor{0, 0, 255};
    static constexpr int kOutlineWidthPx = 3;
    static constexpr int kThinWidthPx = 1;

    // One sector already laid out: its apex and the two angles of its Circle call.
    struct MovedSector
    {
        Point apex;
        bool pointUp = false;
        float start = 0;
        float end = 0;
    };

    Int16 a = 0, b = 0, R0 = 0;
    Int16 R = 0;
    Point centre;
    int half = 0;    // V
    int sectors = 0; // N
    int step = 0;
    double theta = 0;
    Point firstApex; // (X0, Y0)
    double s = 0, c = 0;
    std::vector<Point> radiusEnds; // N + 1 lines, the last 0.01° past the first
    std::vector<MovedSector> moved;

    static ParallelogramFigure compute(float scaleWidth, float scaleHeight, int half, int step);
    // Ink on this page is kept in radii from the picture's left edge at the
    // circle's height, so it stays on the circle and the row beside it.
    static Similarity frame(float scaleWidth, float scaleHeight);
    // Without the radii of the emptied circle over squared paper: with many
    // sectors they would hide its squares.
    void paint(DrawOps &ops, LineWeight weight = {}, bool emptiedRadii = true) const;
    // The circle as it stands at this step, without the sectors moved out of
    // it: the other layouts of the same sectors draw it too.
    void paintCircle(DrawOps &ops, LineWeight weight = {}, bool emptiedRadii = true) const;

private:
    void paintRemainingHalves(DrawOps &ops) const;
    void paintCircleOutline(DrawOps &ops, LineWeight weight) const;
    void paintRadiusLines(DrawOps &ops, LineWeight weight, bool emptiedRadii) const;
    void paintMovedSectors(DrawOps &ops, LineWeight weight) const;
};

} // namespace core
