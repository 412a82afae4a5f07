#pragma once

#include "Color.h"
#include "LineWeight.h"
#include "PointF.h"
#include "RectF.h"

#include <vector>

namespace core {

class DrawOps;

// A circle cut into N thin rings of one width, unrolled outermost first: each
// ring becomes a strip as long as its middle circle, laid on the ones before,
// so the strips approach a triangle of base 2πr and height r as N grows. The
// circle stands above the triangle's apex. A pure function of the area's size,
// N / 2 and the step.
struct TriangleFigure
{
    static constexpr int kOutlineWidthPx = 3;
    static constexpr int kThinWidthPx = 1;

    double r = 0;       // the circle's radius, px
    PointF centre;
    int rings = 0;      // N
    int step = 0;       // rings unrolled, outermost first
    double ringWidth = 0;
    PointF baseMiddle;  // the middle of the triangle's base
    std::vector<RectF> strips; // the unrolled rings, bottom first

    static TriangleFigure compute(float scaleWidth, float scaleHeight, int half, int step);
    // The triangle the strips approach: its base ends and apex.
    PointF baseLeft() const { return baseMiddle - PointF(halfBase(), 0); }
    PointF baseRight() const { return baseMiddle + PointF(halfBase(), 0); }
    PointF apex() const { return baseMiddle - PointF(0, r); }
    // Ring 0 is the innermost.
    static Color fillOf(int ring);
    void paint(DrawOps &ops, LineWeight weight = {}) const;

private:
    double halfBase() const;
};

} // namespace core
