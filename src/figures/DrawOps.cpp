#include "DrawOps.h"

void DrawOps::Line(QPointF from, QPointF to)
{
    draw(LineCall{from, to, m_state.foreColor, m_state.drawWidth, m_state.drawStyle});
    m_state.current = to;
}

void DrawOps::Circle(QPointF centre, float radius)
{
    circle(centre, radius, ArcShape::wholeCircle(), m_state.foreColor);
}

void DrawOps::Circle(QPointF centre, float radius, std::optional<QColor> color, float start, float end)
{
    circle(centre, radius, ArcShape::fromAngles(start, end), color.value_or(m_state.foreColor));
}

void DrawOps::circle(QPointF centre, float radius, const ArcShape &shape, const QColor &outline)
{
    CircleCall call{centre, radius, shape, outline, m_state.drawWidth, m_state.drawStyle, std::nullopt};
    if (shape.closed() && m_state.fillStyle == FillStyle::Solid)
        call.fill = m_state.fillColor;
    draw(call);
}
