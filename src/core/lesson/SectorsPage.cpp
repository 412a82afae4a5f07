#include "SectorsPage.h"

#include "DrawOps.h"
#include "HandFigure.h"
#include "PageView.h"
#include "ParallelogramAids.h"
#include "ParallelogramFigure.h"
#include "RealLengthAids.h"
#include "RectangleFigure.h"
#include "SectorLayoutAids.h"
#include "TriangleFigure.h"

namespace core::SectorsPage {

void paint(DrawOps &ops, const PageView &view)
{
    const float w = ops.ScaleWidth(), h = ops.ScaleHeight();
    if (view.hand) {
        HandFigure::compute(w, h, view.value, *view.hand).paint(ops, view.weight);
        return;
    }
    switch (view.layout) {
    case SectorLayout::Parallelogram:
        ParallelogramFigure::compute(w, h, view.value, view.step).paint(ops, view.weight, !view.grid);
        break;
    case SectorLayout::Rectangle:
        RectangleFigure::compute(w, h, view.value, view.step).paint(ops, view.weight);
        break;
    case SectorLayout::Triangle:
        TriangleFigure::compute(w, h, view.value, view.step).paint(ops, view.weight);
        break;
    }
}

void addAids(LessonAids &aids, AidLayout &layout, const PageView &view)
{
    if (view.hand)
        SectorLayoutAids::addHand(aids, layout, view);
    else if (view.layout == SectorLayout::Rectangle)
        SectorLayoutAids::addRectangle(aids, layout, view);
    else if (view.layout == SectorLayout::Triangle)
        SectorLayoutAids::addTriangle(aids, layout, view);
    else
        ParallelogramAids::add(aids, layout, view);
}

// The rectangle's sides measure as the parallelogram's; the pieces moved by
// hand make no finished figure to measure.
void addRealLengths(LessonAids &aids, AidLayout &layout, const PageView &view)
{
    if (view.hand || view.layout == SectorLayout::Triangle)
        SectorLayoutAids::addTriangleLengths(aids, layout, view);
    else
        RealLengthAids::addParallelogram(aids, layout, view);
}

} // namespace core::SectorsPage
