#pragma once

#include "IntMath.h"
#include "LineWeight.h"
#include "Similarity.h"

#include "Color.h"
#include "PointF.h"

namespace core {

class DrawOps;

// A filled sector of v degrees, counter-clockwise from 3 o'clock; the whole disc
// at 360 and nothing at 0. The radius is not rounded to whole pixels.
struct ArcFigure
{
    static constexpr int kMaxDegrees = 360;
    // A start just below zero makes the radius line at 3 o'clock appear.
    static constexpr float kStartAngle = -0.00001f;
    static inline const Color kOutlineColor{128, 128, 255};
    static inline const Color kFillColor{0, 0, 255};
    // The design leaves the outline at the drawing area's default width.
    static constexpr int kOutlineWidthPx = 1;

    Int16 diameter = 0;
    double radius = 0;
    PointF centre;
    Int16 degrees = 0;

    static ArcFigure compute(float scaleWidth, float scaleHeight, int degrees);
    // Ink on this page is kept in radii from the centre.
    static Similarity frame(float scaleWidth, float scaleHeight);
    float endAngle() const;
    // Unfilled over squared paper, so the squares it covers can be counted.
    void paint(DrawOps &ops, LineWeight weight = {}, bool filled = true) const;
};

} // namespace core
