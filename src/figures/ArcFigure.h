#pragma once

#include "IntMath.h"
#include "LineWeight.h"

#include <QColor>
#include <QPointF>

class DrawOps;

// A filled sector of v degrees, counter-clockwise from 3 o'clock; the whole disc
// at 360 and nothing at 0. The radius is not rounded to whole pixels.
struct ArcFigure
{
    static constexpr int kMaxDegrees = 360;
    // A start just below zero makes the radius line at 3 o'clock appear.
    static constexpr float kStartAngle = -0.00001f;
    static inline const QColor kOutlineColor{128, 128, 255};
    static inline const QColor kFillColor{0, 0, 255};
    // The design leaves the outline at the drawing area's default width.
    static constexpr int kOutlineWidthPx = 1;

    Int16 diameter = 0;
    double radius = 0;
    QPointF centre;
    Int16 degrees = 0;

    static ArcFigure compute(float scaleWidth, float scaleHeight, int degrees);
    float endAngle() const;
    void paint(DrawOps &ops, LineWeight weight = {}) const;
};
