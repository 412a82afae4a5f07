#include "ArcFigure.h"

#include "DrawOps.h"
#include "FigureMath.h"

namespace core {

ArcFigure ArcFigure::compute(float scaleWidth, float scaleHeight, int degrees)
{
    ArcFigure f;
    f.diameter = usableDiameter(scaleWidth, scaleHeight);
    f.radius = f.diameter / 2.0;
    f.centre = PointF(round16(scaleWidth / 2.0), round16(scaleHeight / 2.0));
    f.degrees = saturate16(degrees);
    return f;
}

float ArcFigure::endAngle() const
{
    return float((double(-degrees) / kDegreesPerHalfTurn) * kPi);
}

void ArcFigure::paint(DrawOps &ops, LineWeight weight, bool filled) const
{
    ops.setForeColor(kOutlineColor);
    ops.setDrawWidth(weight.px(kOutlineWidthPx));
    ops.setFillStyle(filled ? FillStyle::Solid : FillStyle::Transparent);
    ops.setFillColor(kFillColor);
    if (degrees == kMaxDegrees)
        ops.Circle(centre, float(radius));
    else if (degrees != 0)
        ops.Circle(centre, float(radius), ops.ForeColor(), kStartAngle, endAngle());
}

Similarity ArcFigure::frame(float scaleWidth, float scaleHeight)
{
    const ArcFigure f = compute(scaleWidth, scaleHeight, kMaxDegrees);
    return {f.centre, f.radius};
}

} // namespace core
