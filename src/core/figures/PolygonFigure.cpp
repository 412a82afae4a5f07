#include "PolygonFigure.h"

#include "DrawOps.h"
#include "FigureMath.h"

#include <cmath>

namespace core {

PolygonFigure PolygonFigure::compute(float scaleWidth, float scaleHeight, int sides)
{
    PolygonFigure f;
    f.diameter = usableDiameter(scaleWidth, scaleHeight);
    f.radius = round16(f.diameter / 2.0);
    f.centre = Point(round16(scaleWidth / 2.0), round16(scaleHeight / 2.0));
    f.vertices.reserve(sides + 1);
    for (int i = 0; i <= sides; ++i) {
        // Evaluated in this order on purpose: it fixes the last bits of each angle.
        const double theta = ((360.0 / sides) * i) * kPi / kDegreesPerHalfTurn;
        f.vertices.emplace_back(round16(f.radius * std::cos(theta) + f.centre.x()),
                                round16(f.radius * std::sin(theta) + f.centre.y()));
    }
    return f;
}

void PolygonFigure::paint(DrawOps &ops, LineWeight weight, bool radii) const
{
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        // The edge starts where the previous radius ended.
        if (i != 0) {
            ops.setForeColor(kEdgeColor);
            ops.setDrawStyle(DrawStyle::Solid);
            ops.setDrawWidth(weight.px(kEdgeWidthPx));
            ops.Line(vertices[i - 1], vertices[i]);
        }
        if (!radii)
            continue;
        ops.setForeColor(kRadiusColor);
        ops.setDrawStyle(DrawStyle::Solid);
        ops.setDrawWidth(weight.px(kRadiusWidthPx));
        ops.Line(centre, vertices[i]);
    }
}

Similarity PolygonFigure::frame(float scaleWidth, float scaleHeight)
{
    const PolygonFigure f = compute(scaleWidth, scaleHeight, kMinSides);
    return {PointF(f.centre), double(f.radius)};
}

} // namespace core
