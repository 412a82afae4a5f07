#include "PageRenderer.h"

#include "ArcFigure.h"
#include "LessonAids.h"
#include "PainterDrawOps.h"
#include "ParallelogramFigure.h"
#include "PolygonFigure.h"

#include <QPainter>

namespace {
constexpr int kStartHalf = 4;
}

std::optional<PageRenderer::Range> PageRenderer::valueRange(int page)
{
    switch (page) {
    case Polygon:
        return Range{PolygonFigure::kMinSides, PolygonFigure::kMaxSides};
    case Arc:
        return Range{0, ArcFigure::kMaxDegrees};
    case Sectors:
        return Range{ParallelogramFigure::kMinHalf, ParallelogramFigure::kMaxHalf};
    default:
        return std::nullopt;
    }
}

int PageRenderer::startValue(int page)
{
    switch (page) {
    case Polygon:
        return PolygonFigure::kMinSides;
    case Arc:
        return ArcFigure::kMaxDegrees;
    case Sectors:
        return kStartHalf;
    default:
        return 0;
    }
}

int PageRenderer::maxStep(int page, int value) { return page == Sectors ? 2 * value : 0; }

void PageRenderer::paint(DrawOps &ops, const PageView &view)
{
    ops.Cls(kBoard);
    paintFigure(ops, view);
    if (view.aids)
        paintAids(ops, view);
}

void PageRenderer::paintFigure(DrawOps &ops, const PageView &view)
{
    const float width = ops.ScaleWidth();
    const float height = ops.ScaleHeight();
    switch (view.page) {
    case Polygon:
        PolygonFigure::compute(width, height, view.value).paint(ops, view.weight);
        break;
    case Arc:
        ArcFigure::compute(width, height, view.value).paint(ops, view.weight);
        break;
    case Sectors:
        ParallelogramFigure::compute(width, height, view.value, view.step).paint(ops, view.weight);
        break;
    default:
        break;
    }
}

// The lesson aids go over the figure, drawn through the same operations.
void PageRenderer::paintAids(DrawOps &ops, const PageView &view)
{
    LessonAids::compute(view.page, ops.ScaleWidth(), ops.ScaleHeight(), view.value, view.step, view.formulaLines,
                        view.weight)
        .paint(ops);
}

QImage PageRenderer::image(const PageView &view, qreal devicePixelRatio)
{
    QImage image((QSizeF(view.inner) * devicePixelRatio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&image);
    // As the picture paints: smoothed, with the fast wide lines of a heavier weight.
    painter.setRenderHint(QPainter::Antialiasing);
    DrawState state;
    PainterDrawOps ops(painter, state, float(view.inner.width()), float(view.inner.height()),
                       view.weight.factor() > 1);
    paint(ops, view);
    return image;
}
