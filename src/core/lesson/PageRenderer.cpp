#include "PageRenderer.h"

#include "AidLayout.h"
#include "BoundingSquares.h"
#include "BoundingSquaresAids.h"
#include "DrawList.h"
#include "DrawOps.h"
#include "PageTable.h"
#include "SquaredPaper.h"
#include "SquaredPaperAids.h"

#include <algorithm>
#include <cmath>

namespace core::PageRenderer {

namespace {

int countedQuarters(const PageRow &row, const PageView &view)
{
    if (row.countedQuarters)
        return row.countedQuarters(view);
    return view.quarterCount ? 1 : SquaredPaper::kQuarters;
}

// Everything but the aids, which lie over it.
void paintUnderAids(DrawOps &ops, const PageView &view)
{
    ops.Cls(kBoard);
    const PageRow &row = PageTable::row(view.page);
    const bool grid = view.grid && row.circle;
    const bool squares = view.squares && row.boundingSquares && row.circle;
    const Similarity circle = grid || squares ? row.circle(ops.ScaleWidth(), ops.ScaleHeight()) : Similarity{};
    const SquaredPaper paper(circle, view.radiusCm, countedQuarters(row, view));
    // Under the figure: the paper, then the squares the figure closes in on.
    // Over it the paper's lines would hide the figure's own along them.
    if (grid && view.aids && view.paperStep >= PageView::InsideTinted)
        paper.paintTints(ops, view.paperStep >= PageView::CrossedTinted);
    if (grid)
        paper.paintLines(ops, view.weight);
    if (squares)
        BoundingSquares(circle).paint(ops, view.weight);
    if (row.paintFigure)
        row.paintFigure(ops, view);
}

} // namespace

void paint(DrawOps &ops, const PageView &view, const TextMeasure &measure)
{
    paintUnderAids(ops, view);
    // A figure's own words, laid out for the front-end's letters.
    if (const PageRow &row = PageTable::row(view.page); row.paintWorked)
        row.paintWorked(ops, view, measure);
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
    // Only the circle is kept clear: at 4:3 the outer square leaves no corner
    // free, and outlined letters read over its thin line.
    if (view.squares && row.boundingSquares && row.circle)
        BoundingSquaresAids::add(aids, layout, view, row.circle(float(width), float(height)));
    if (view.grid && row.circle)
        SquaredPaperAids::add(aids, layout, view, countedQuarters(row, view), view.quarterCount && !row.countedQuarters);
    const std::vector<TextCall> note = layout.leftOutNote();
    aids.texts.insert(aids.texts.end(), note.begin(), note.end());
    return aids;
}

bool showsRealLengths(const PageView &view)
{
    return view.aids && view.realLengths && PageTable::row(view.page).addRealLengths;
}

bool usesRadiusCm(const PageView &view)
{
    const PageRow &row = PageTable::row(view.page);
    return showsRealLengths(view) || (view.grid && row.circle) ||
           (view.aids && view.squares && row.boundingSquares && row.circle);
}

Similarity inkFrame(int page, float scaleWidth, float scaleHeight)
{
    const PageRow &row = PageTable::row(page);
    return row.frame ? row.frame(scaleWidth, scaleHeight) : Similarity{};
}

InkGround inkGround(const PageView &view, PointF origin)
{
    DrawList picture(float(view.inner.width()), float(view.inner.height()));
    paintUnderAids(picture, view);
    return InkGround(picture, origin);
}

} // namespace core::PageRenderer
