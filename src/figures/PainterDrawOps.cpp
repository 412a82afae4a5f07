#include "PainterDrawOps.h"

#include <QPainter>
#include <QPainterPath>

namespace {

QPen penFor(const QColor &color, int width, DrawStyle style)
{
    if (style == DrawStyle::Invisible)
        return Qt::NoPen;
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Integer coordinates name pixel centres.
constexpr QPointF kPixelCentre(0.5, 0.5);

} // namespace

PainterDrawOps::PainterDrawOps(QPainter &painter, DrawState &state, float scaleWidth, float scaleHeight)
    : DrawOps(state), m_painter(painter), m_width(scaleWidth), m_height(scaleHeight)
{
}

void PainterDrawOps::draw(const LineCall &line)
{
    // Hairlines stay aliased: smoothing a one-pixel line halves its colour.
    m_painter.setRenderHint(QPainter::Antialiasing, line.width > 1);
    m_painter.setPen(penFor(line.color, line.width, line.style));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawLine(line.from + kPixelCentre, line.to + kPixelCentre);
}

void PainterDrawOps::draw(const CircleCall &circle)
{
    const QPointF centre = circle.centre + kPixelCentre;
    const QRectF box(centre.x() - circle.radius, centre.y() - circle.radius, 2 * circle.radius, 2 * circle.radius);
    const ArcShape &shape = circle.shape;

    QPainterPath path;
    if (shape.whole) {
        path.addEllipse(box);
    } else {
        path.arcMoveTo(box, shape.startDegrees);
        if (shape.radiusAtStart) {
            const QPointF arcStart = path.currentPosition();
            path = QPainterPath(centre);
            path.lineTo(arcStart);
        }
        path.arcTo(box, shape.startDegrees, shape.sweepDegrees);
        if (shape.radiusAtEnd)
            path.lineTo(centre);
        if (shape.closed())
            path.closeSubpath();
    }

    // Smoothing a large fill costs far more than its edge is worth: the
    // outline drawn over it hides the stair steps. Hairline outlines stay
    // aliased, as hairlines do.
    if (circle.fill) {
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_painter.fillPath(path, *circle.fill);
    }
    m_painter.setRenderHint(QPainter::Antialiasing, circle.width > 1);
    m_painter.strokePath(path, penFor(circle.outline, circle.width, circle.style));
}
