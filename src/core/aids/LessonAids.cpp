#include "LessonAids.h"

namespace core {

void LessonAids::paint(DrawOps &ops) const
{
    const Color foreColor = ops.ForeColor();
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

} // namespace core
