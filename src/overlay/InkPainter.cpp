#include "InkPainter.h"

#include "PenPalette.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>

namespace {

// As on screen: a stroke written on a tiny figure and shown on a huge one stays a line.
constexpr double kWidestLinePx = 256;

QRectF placedBounds(const Stroke &stroke, const Similarity &frame)
{
    QRectF bounds;
    for (const InkPoint &p : stroke.points)
        bounds |= QRectF(frame.map(p.pos()), QSizeF(0, 0));
    const double half = kWidestLinePx / 2;
    return bounds.adjusted(-half, -half, half, half);
}

} // namespace

void InkPainter::paint(QPainter &painter, const std::vector<const Stroke *> &strokes, const Similarity &frame,
                       const QRectF &area, PainterDrawOps::Look look)
{
    if (!frame.usable())
        return;
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Stroke *stroke : strokes) {
        const std::vector<InkPoint> &points = stroke->points;
        if (points.empty() || !placedBounds(*stroke, frame).intersects(area))
            continue;
        // Ink is opaque on screen whatever the colour's alpha says.
        const QColor colour(qRed(stroke->color), qGreen(stroke->color), qBlue(stroke->color));
        QPen pen(look == PainterDrawOps::Look::DarkOnWhite ? PenPalette::onWhite(colour) : colour, 1, Qt::SolidLine,
                 Qt::RoundCap, Qt::RoundJoin);
        const auto widthAt = [&](const InkPoint &p) {
            return std::min(kWidestLinePx, double(stroke->width) * p.widthFactor * frame.scale);
        };
        pen.setWidthF(widthAt(points.front()));
        painter.setPen(pen);
        // The dot a tap leaves, under the segments as on screen.
        painter.drawPoint(frame.map(points.front().pos()));
        // A segment is as wide as its end point makes it; a run of equal widths is one polyline.
        for (std::size_t from = 0; from + 1 < points.size();) {
            std::size_t to = from + 1;
            while (to + 1 < points.size() && points[to + 1].widthFactor == points[from + 1].widthFactor)
                ++to;
            QPolygonF run;
            run.reserve(qsizetype(to - from + 1));
            for (std::size_t i = from; i <= to; ++i)
                run << frame.map(points[i].pos());
            pen.setWidthF(widthAt(points[to]));
            painter.setPen(pen);
            painter.drawPolyline(run);
            from = to;
        }
    }
    painter.restore();
}
