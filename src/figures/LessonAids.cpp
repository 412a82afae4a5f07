#include "LessonAids.h"

#include "AidLayout.h"
#include "ArcAids.h"
#include "ParallelogramAids.h"
#include "PolygonAids.h"

#include <algorithm>
#include <cmath>

LessonAids LessonAids::compute(int page, float scaleWidth, float scaleHeight, int value, int step, int formulaLines,
                               LineWeight weight)
{
    LessonAids aids;
    const double textPx = kTextShare * std::min(scaleWidth, scaleHeight);
    AidLayout layout(QSizeF(scaleWidth, scaleHeight), int(std::lround(textPx)),
                     std::max(kSmallestTextPx, int(std::ceil(textPx * kSmallestTextShare))));
    switch (page) {
    case kPolygonPage:
        PolygonAids::add(aids, layout, scaleWidth, scaleHeight, value, weight);
        break;
    case kArcPage:
        ArcAids::add(aids, layout, scaleWidth, scaleHeight, value, weight);
        break;
    case kSectorsPage:
        ParallelogramAids::add(aids, layout, scaleWidth, scaleHeight, value, step,
                               std::clamp(formulaLines, 0, kFormulaLines), weight);
        break;
    default:
        break;
    }
    return aids;
}

void LessonAids::paint(DrawOps &ops) const
{
    const QColor foreColor = ops.ForeColor();
    const int drawWidth = ops.DrawWidth();
    const DrawStyle drawStyle = ops.drawStyle();
    const FillStyle fillStyle = ops.fillStyle();

    ops.setFillStyle(FillStyle::Transparent);
    ops.setDrawStyle(DrawStyle::Solid);
    for (const Arc &a : arcs) {
        ops.setDrawWidth(a.width);
        ops.Circle(a.centre, a.radius, a.color, a.start, a.end);
    }
    for (const LineCall &l : lines) {
        ops.setForeColor(l.color);
        ops.setDrawWidth(l.width);
        ops.setDrawStyle(l.style);
        ops.Line(l.from, l.to);
    }
    for (const TextCall &t : texts)
        ops.Text(t);

    ops.setForeColor(foreColor);
    ops.setDrawWidth(drawWidth);
    ops.setDrawStyle(drawStyle);
    ops.setFillStyle(fillStyle);
}
