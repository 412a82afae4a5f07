#include "FigureFrame.h"

#include "ArcFigure.h"
#include "ParallelogramFigure.h"
#include "PolygonFigure.h"

namespace FigureFrame {

namespace {
enum Page { Polygon, Arc, Sectors, Blank };
}

Similarity of(int page, float scaleWidth, float scaleHeight)
{
    switch (page) {
    case Polygon: {
        const PolygonFigure f = PolygonFigure::compute(scaleWidth, scaleHeight, PolygonFigure::kMinSides);
        return {QPointF(f.centre), double(f.radius)};
    }
    case Arc: {
        const ArcFigure f = ArcFigure::compute(scaleWidth, scaleHeight, ArcFigure::kMaxDegrees);
        return {f.centre, f.radius};
    }
    case Sectors: {
        const ParallelogramFigure f =
            ParallelogramFigure::compute(scaleWidth, scaleHeight, ParallelogramFigure::kMinHalf, 0);
        return {QPointF(0, f.centre.y()), double(f.R)};
    }
    default:
        return {};
    }
}

} // namespace FigureFrame
