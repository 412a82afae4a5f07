#pragma once

#include "IntMath.h"
#include "LineWeight.h"

#include <QColor>
#include <QPoint>

#include <vector>

class DrawOps;

// A circle cut into N = 2V sectors of which the first `step` have been taken out
// and laid side by side, alternately point-down and point-up, towards a
// parallelogram of base about πR and height about R. A pure function of the
// area's size, V and the step.
struct ParallelogramFigure
{
    static constexpr int kMinHalf = 2;
    static constexpr int kMaxHalf = 32;
    static inline const QColor kLowerFill{255, 255, 192};
    static inline const QColor kUpperFill{128, 255, 128};
    static inline const QColor kRemainingColor{255, 0, 0};
    static inline const QColor kMovedColor{0, 0, 255};
    static constexpr int kOutlineWidthPx = 3;
    static constexpr int kThinWidthPx = 1;

    // One sector already laid out: its apex and the two angles of its Circle call.
    struct MovedSector
    {
        QPoint apex;
        bool pointUp = false;
        float start = 0;
        float end = 0;
    };

    Int16 a = 0, b = 0, R0 = 0;
    Int16 R = 0;
    QPoint centre;
    int half = 0;    // V
    int sectors = 0; // N
    int step = 0;
    double theta = 0;
    QPoint firstApex; // (X0, Y0)
    double s = 0, c = 0;
    std::vector<QPoint> radiusEnds; // N + 1 lines, the last 0.01° past the first
    std::vector<MovedSector> moved;

    static ParallelogramFigure compute(float scaleWidth, float scaleHeight, int half, int step);
    void paint(DrawOps &ops, LineWeight weight = {}) const;

private:
    void paintRemainingHalves(DrawOps &ops) const;
    void paintCircleOutline(DrawOps &ops, LineWeight weight) const;
    void paintRadiusLines(DrawOps &ops, LineWeight weight) const;
    void paintMovedSectors(DrawOps &ops, LineWeight weight) const;
};
