#include "BoundingSquares.h"

#include "DrawOps.h"

#include <array>

namespace core {

void BoundingSquares::paint(DrawOps &ops, LineWeight weight) const
{
    if (!m_circle.usable())
        return;
    const Color foreColor = ops.ForeColor();
    const int drawWidth = ops.DrawWidth();
    const DrawStyle drawStyle = ops.drawStyle();
    ops.setForeColor(kColor);
    ops.setDrawWidth(weight.px(kWidthPx));
    ops.setDrawStyle(DrawStyle::Solid);

    const PointF c = m_circle.origin;
    const double r = m_circle.scale;
    const std::array<PointF, 4> inner{c + PointF(r, 0), c + PointF(0, -r), c + PointF(-r, 0), c + PointF(0, r)};
    const std::array<PointF, 4> outer{c + PointF(r, -r), c + PointF(-r, -r), c + PointF(-r, r), c + PointF(r, r)};
    for (const auto &square : {inner, outer}) {
        ops.Line(square.back(), square.front());
        for (std::size_t i = 1; i < square.size(); ++i)
            ops.Line(square[i]);
    }

    ops.setForeColor(foreColor);
    ops.setDrawWidth(drawWidth);
    ops.setDrawStyle(drawStyle);
}

} // namespace core
