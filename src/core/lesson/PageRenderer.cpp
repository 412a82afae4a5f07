#include "PageRenderer.h"

#include "AidLayout.h"
#include "DrawOps.h"
#include "PageTable.h"

#include <algorithm>
#include <cmath>

namespace core::PageRenderer {

void paint(DrawOps &ops, const PageView &view, const TextMeasure &measure)
{
    ops.Cls(kBoard);
    const PageRow &row = PageTable::row(view.page);
    if (row.paintFigure)
        row.paintFigure(ops, view);
    // The lesson aids go over the figure, drawn through the same operations.
    if (view.aids)
        aids(view, measure).paint(ops);
}

LessonAids aids(const PageView &view, const TextMeasure &measure)
{
    LessonAids aids;
    const PageRow &row = PageTable::row(view.page);
    if (!row.addAids)
        return aids;
    const double width = view.inner.width(), height = view.inner.height();
    const double textPx = LessonAids::kTextShare * std::min(width, height);
    AidLayout layout(width, height, int(std::lround(textPx)),
                     std::max(LessonAids::kSmallestTextPx, int(std::ceil(textPx * LessonAids::kSmallestTextShare))),
                     measure);
    row.addAids(aids, layout, view);
    if (view.realLengths && row.addRealLengths)
        row.addRealLengths(aids, layout, view);
    return aids;
}

Similarity inkFrame(int page, float scaleWidth, float scaleHeight)
{
    const PageRow &row = PageTable::row(page);
    return row.frame ? row.frame(scaleWidth, scaleHeight) : Similarity{};
}

} // namespace core::PageRenderer
