#include "PainterDrawOps.h"

#include "LineRaster.h"
#include "PenPalette.h"
#include "TextSprites.h"

#include <QPaintEngine>
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

PainterDrawOps::PainterDrawOps(QPainter &painter, DrawState &state, float scaleWidth, float scaleHeight,
                               bool fastWideLines)
    : DrawOps(state), m_painter(painter), m_width(scaleWidth), m_height(scaleHeight), m_fastWideLines(fastWideLines)
{
    if (m_fastWideLines)
        m_direct = directTarget(painter);
}

// Qt smooths a wide stroke with round ends at a cost that grows with every scan
// line it spans, most of a millisecond for one radius of a 4K figure. On a
// raster image the line is drawn by hand, a few pixels a scan line; elsewhere
// (paper, PDF) a flat-ended line takes Qt's fast line path, and discs put back
// the round ends and joins. Either blends a little differently, so the
// design's own widths keep Qt's round ends.
bool PainterDrawOps::drawnFlatWithDiscs(int width, DrawStyle style) const
{
    return m_fastWideLines && width > 1 && style != DrawStyle::Invisible;
}

QColor PainterDrawOps::lineColour(const QColor &colour) const
{
    return m_look == Look::DarkOnWhite ? PenPalette::onWhite(colour) : colour;
}

void PainterDrawOps::clear(const QColor &background)
{
    m_painter.fillRect(QRectF(0, 0, m_width, m_height), m_look == Look::DarkOnWhite ? QColor(Qt::white) : background);
}

void PainterDrawOps::draw(const LineCall &line)
{
    // Hairlines stay aliased: smoothing a one-pixel line halves its colour.
    m_painter.setRenderHint(QPainter::Antialiasing, line.width > 1);
    const QColor colour = lineColour(line.color);
    if (drawnFlatWithDiscs(line.width, line.style)) {
        wideLine(line.from + kPixelCentre, line.to + kPixelCentre, colour, line.width);
        return;
    }
    m_painter.setPen(penFor(colour, line.width, line.style));
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
    // anti-aliased outline drawn over it hides the stair steps.
    if (circle.fill) {
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_painter.fillPath(path, *circle.fill);
    }
    // One-pixel outlines stay aliased, as one-pixel lines do.
    m_painter.setRenderHint(QPainter::Antialiasing, circle.width > 1);
    const QColor outline = lineColour(circle.outline);
    if (shape.whole && !circle.fill && m_direct && drawnFlatWithDiscs(circle.width, circle.style) &&
        outline.alpha() == 255)
        wideRing(centre, circle.radius, outline, circle.width);
    else if (!shape.whole && (shape.radiusAtStart || shape.radiusAtEnd) && drawnFlatWithDiscs(circle.width, circle.style))
        wideSectorOutline(box, centre, circle, outline);
    else
        m_painter.strokePath(path, penFor(outline, circle.width, circle.style));
}

// Only a plain raster image, placed by a shift and an even scale, that nobody
// else shares: the figure's pixels are written straight into it.
std::optional<PainterDrawOps::DirectTarget> PainterDrawOps::directTarget(QPainter &painter)
{
    QPaintEngine *engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster || !engine->paintDevice() ||
        engine->paintDevice()->devType() != QInternal::Image)
        return std::nullopt;
    auto *image = static_cast<QImage *>(engine->paintDevice());
    const bool plain =
        image->format() == QImage::Format_RGB32 || image->format() == QImage::Format_ARGB32_Premultiplied;
    const QTransform toDevice = painter.deviceTransform();
    if (!plain || !image->isDetached() || toDevice.type() > QTransform::TxScale || toDevice.m11() != toDevice.m22() ||
        toDevice.m11() <= 0)
        return std::nullopt;
    QRegion clip = engine->systemClip().isEmpty() ? QRegion(image->rect()) : engine->systemClip() & image->rect();
    if (painter.hasClipping())
        clip &= toDevice.map(painter.clipRegion());
    return DirectTarget{image, toDevice, clip};
}

void PainterDrawOps::wideLine(QPointF from, QPointF to, const QColor &color, int width)
{
    if (m_direct && color.alpha() == 255) {
        const QPointF a = m_direct->toDevice.map(from), b = m_direct->toDevice.map(to);
        const InkRaster::Surface surface = InkRaster::Surface::of(*m_direct->image);
        for (const QRect &part : m_direct->clip)
            LineRaster::draw(surface, part, a, b, width / 2.0 * m_direct->toDevice.m11(), color.rgb());
        return;
    }
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

void PainterDrawOps::wideRing(QPointF centre, double radius, const QColor &color, int width)
{
    const QPointF at = m_direct->toDevice.map(centre);
    const double scale = m_direct->toDevice.m11();
    const InkRaster::Surface surface = InkRaster::Surface::of(*m_direct->image);
    for (const QRect &part : m_direct->clip)
        LineRaster::ring(surface, part, at, radius * scale, width / 2.0 * scale, color.rgb());
}

// The arc alone spans few scan lines in a narrow sector; its radius lines go
// the fast way.
void PainterDrawOps::wideSectorOutline(const QRectF &box, QPointF centre, const CircleCall &circle, const QColor &outline)
{
    const ArcShape &shape = circle.shape;
    QPainterPath arc;
    arc.arcMoveTo(box, shape.startDegrees);
    const QPointF arcStart = arc.currentPosition();
    arc.arcTo(box, shape.startDegrees, shape.sweepDegrees);
    const QPointF arcEnd = arc.currentPosition();
    m_painter.strokePath(arc, QPen(outline, circle.width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    wideLine(shape.radiusAtStart ? centre : arcStart, arcStart, outline, circle.width);
    wideLine(arcEnd, shape.radiusAtEnd ? centre : arcEnd, outline, circle.width);
}

void PainterDrawOps::draw(const TextCall &text) { TextSprites::draw(m_painter, text); }
