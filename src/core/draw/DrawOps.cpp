#include "DrawOps.h"

namespace core {

void DrawOps::Line(PointF from, PointF to)
{
    draw(LineCall{from, to, m_state.foreColor, m_state.drawWidth, m_state.drawStyle});
    m_state.current = to;
}

void DrawOps::Circle(PointF centre, float radius)
{
    circle(centre, radius, ArcShape::wholeCircle(), m_state.foreColor);
}

void DrawOps::Circle(PointF centre, float radius, std::optional<Color> color, float start, float end)
{
    circle(centre, radius, ArcShape::fromAngles(start, end), color.value_or(m_state.foreColor));
}

void DrawOps::circle(PointF centre, float radius, const ArcShape &shape, const Color &outline)
{
    CircleCall call{centre, radius, shape, outline, m_state.drawWidth, m_state.drawStyle, std::nullopt};
    if (shape.closed() && m_state.fillStyle == FillStyle::Solid)
        call.fill = m_state.fillColor;
    draw(call);
}

} // namespace core
