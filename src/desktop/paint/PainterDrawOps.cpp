#include "PainterDrawOps.h"

#include "Convert.h"
#include "TextSprites.h"

#include <QPainter>
#include <QPainterPath>

using Convert::toQt;

namespace {

QPen penFor(const QColor &color, int width, core::DrawStyle style)
{
    if (style == core::DrawStyle::Invisible)
        return Qt::NoPen;
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Integer coordinates name pixel centres.
constexpr QPointF kPixelCentre(0.5, 0.5);

} // namespace

PainterDrawOps::PainterDrawOps(QPainter &painter, core::DrawState &state, float scaleWidth, float scaleHeight,
                               bool fastWideLines)
    : DrawOps(state), m_painter(painter), m_width(scaleWidth), m_height(scaleHeight), m_fastWideLines(fastWideLines)
{
}

// Qt smooths a wide stroke with round ends at a cost that grows with every scan
// line it spans. A flat-ended line takes Qt's fast line path, and discs put
// back the round ends and joins; they blend a little differently, so the
// design's own widths keep Qt's round ends.
bool PainterDrawOps::drawnFlatWithDiscs(int width, core::DrawStyle style) const
{
    return m_fastWideLines && width > 1 && style != core::DrawStyle::Invisible;
}

void PainterDrawOps::clear(const core::Color &background)
{
    m_painter.fillRect(QRectF(0, 0, m_width, m_height), toQt(background));
}

void PainterDrawOps::draw(const core::LineCall &line)
{
    // Hairlines stay aliased: smoothing a one-pixel line halves its colour.
    m_painter.setRenderHint(QPainter::Antialiasing, line.width > 1);
    const QColor colour = toQt(line.color);
    const QPointF from = toQt(line.from) + kPixelCentre, to = toQt(line.to) + kPixelCentre;
    if (drawnFlatWithDiscs(line.width, line.style)) {
        wideLine(from, to, colour, line.width);
        return;
    }
    m_painter.setPen(penFor(colour, line.width, line.style));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawLine(from, to);
}

// Aliased, so boxes that meet leave no seam between them.
void PainterDrawOps::draw(const core::BoxCall &box)
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.fillRect(QRectF(box.rect.left(), box.rect.top(), box.rect.width(), box.rect.height()).translated(kPixelCentre),
                       toQt(box.fill));
}

void PainterDrawOps::draw(const core::CircleCall &circle)
{
    const QPointF centre = toQt(circle.centre) + kPixelCentre;
    const QRectF box(centre.x() - circle.radius, centre.y() - circle.radius, 2 * circle.radius, 2 * circle.radius);
    const core::ArcShape &shape = circle.shape;

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
    // anti-aliased outline drawn over it hides the stair steps.
    if (circle.fill) {
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_painter.fillPath(path, toQt(*circle.fill));
    }
    // One-pixel outlines stay aliased, as one-pixel lines do.
    m_painter.setRenderHint(QPainter::Antialiasing, circle.width > 1);
    const QColor outline = toQt(circle.outline);
    if (!shape.whole && (shape.radiusAtStart || shape.radiusAtEnd) && drawnFlatWithDiscs(circle.width, circle.style))
        wideSectorOutline(box, centre, circle, outline);
    else
        m_painter.strokePath(path, penFor(outline, circle.width, circle.style));
}

void PainterDrawOps::wideLine(QPointF from, QPointF to, const QColor &color, int width)
{
    m_painter.setPen(QPen(color, width, Qt::SolidLine, Qt::FlatCap));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawLine(from, to);
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(color);
    const qreal radius = width / 2.0;
    m_painter.drawEllipse(from, radius, radius);
    m_painter.drawEllipse(to, radius, radius);
    m_painter.setBrush(Qt::NoBrush);
}

// The arc alone spans few scan lines in a narrow sector; its radius lines go
// the fast way.
void PainterDrawOps::wideSectorOutline(const QRectF &box, QPointF centre, const core::CircleCall &circle,
                                       const QColor &outline)
{
    const core::ArcShape &shape = circle.shape;
    QPainterPath arc;
    arc.arcMoveTo(box, shape.startDegrees);
    const QPointF arcStart = arc.currentPosition();
    arc.arcTo(box, shape.startDegrees, shape.sweepDegrees);
    const QPointF arcEnd = arc.currentPosition();
    m_painter.strokePath(arc, QPen(outline, circle.width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    wideLine(shape.radiusAtStart ? centre : arcStart, arcStart, outline, circle.width);
    wideLine(arcEnd, shape.radiusAtEnd ? centre : arcEnd, outline, circle.width);
}

void PainterDrawOps::draw(const core::TextCall &text)
{
    TextSprites::draw(m_painter, text);
}
