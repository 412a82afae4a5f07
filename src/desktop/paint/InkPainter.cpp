#include "InkPainter.h"

#include "Convert.h"
#include "InkPen.h"
#include "PenPalette.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>

namespace {

// As on screen: a stroke written on a tiny figure and shown on a huge one stays a line.
constexpr double kWidestLinePx = 256;

// Every point of the stroke, grown by the widest line drawn.
QRectF placedBounds(const core::Stroke &stroke, const core::Similarity &frame)
{
    const core::PointF first = frame.map(stroke.points.front().pos());
    double left = first.x(), right = first.x(), top = first.y(), bottom = first.y();
    for (const core::InkPoint &p : stroke.points) {
        const core::PointF at = frame.map(p.pos());
        left = std::min(left, at.x());
        right = std::max(right, at.x());
        top = std::min(top, at.y());
        bottom = std::max(bottom, at.y());
    }
    const double half = kWidestLinePx / 2;
    return QRectF(QPointF(left - half, top - half), QPointF(right + half, bottom + half));
}

} // namespace

void InkPainter::paint(QPainter &painter, const std::vector<const core::Stroke *> &strokes,
                       const core::Similarity &frame, const QRectF &area, PainterDrawOps::Look look, bool edged)
{
    if (!frame.usable())
        return;
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const core::Stroke *stroke : strokes) {
        if (stroke->points.empty() || !placedBounds(*stroke, frame).intersects(area))
            continue;
        // Ink is opaque on screen whatever the colour's alpha says.
        const core::Color colour(core::redOf(stroke->color), core::greenOf(stroke->color), core::blueOf(stroke->color));
        if (look == PainterDrawOps::Look::DarkOnWhite) {
            paintStroke(painter, *stroke, frame, Convert::toQt(core::PenPalette::onWhite(colour)), 0);
            continue;
        }
        if (edged) {
            const double rimPx = std::max(stroke->width * frame.scale * core::InkPen::kEdgeShareOfWidth,
                                          core::InkPen::kThinnestEdgePx);
            paintStroke(painter, *stroke, frame, Convert::toQt(core::PenPalette::edgeFor(colour)), rimPx);
        }
        paintStroke(painter, *stroke, frame, Convert::toQt(colour), 0);
    }
    painter.restore();
}

// `outsetPx` widens the stroke on each side: its rim, under the pen's colour.
void InkPainter::paintStroke(QPainter &painter, const core::Stroke &stroke, const core::Similarity &frame,
                             const QColor &colour, double outsetPx)
{
    const std::vector<core::InkPoint> &points = stroke.points;
    QPen pen(colour, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    const auto widthAt = [&](const core::InkPoint &p) {
        return std::min(kWidestLinePx, double(stroke.width) * p.widthFactor * frame.scale) + 2 * outsetPx;
    };
    pen.setWidthF(widthAt(points.front()));
    painter.setPen(pen);
    // The dot a tap leaves, under the segments as on screen.
    painter.drawPoint(Convert::toQt(frame.map(points.front().pos())));
    // A segment is as wide as its end point makes it; a run of equal widths is one polyline.
    for (std::size_t from = 0; from + 1 < points.size();) {
        std::size_t to = from + 1;
        while (to + 1 < points.size() && points[to + 1].widthFactor == points[from + 1].widthFactor)
            ++to;
        QPolygonF run;
        run.reserve(qsizetype(to - from + 1));
        for (std::size_t i = from; i <= to; ++i)
            run << Convert::toQt(frame.map(points[i].pos()));
        pen.setWidthF(widthAt(points[to]));
        painter.setPen(pen);
        painter.drawPolyline(run);
        from = to;
    }
}
