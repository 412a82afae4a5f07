#pragma once

#include "IntMath.h"
#include "LineWeight.h"

#include <QColor>
#include <QPoint>

#include <vector>

class DrawOps;

// The regular polygon inscribed in the largest circle that fits the area,
// with its radii.
struct PolygonFigure
{
    static constexpr int kMinSides = 3;
    static constexpr int kMaxSides = 64;
    static constexpr int kEdgeWidthPx = 2;
    static constexpr int kRadiusWidthPx = 1;
    static inline const QColor kEdgeColor{0, 0, 255};
    static inline const QColor kRadiusColor{255, 0, 0};

    Int16 diameter = 0;
    Int16 radius = 0;
    QPoint centre;
    // Vertices 0 to n; the last closes the figure on the first.
    std::vector<QPoint> vertices;

    static PolygonFigure compute(float scaleWidth, float scaleHeight, int sides);
    void paint(DrawOps &ops, LineWeight weight = {}) const;
};
