#include "InkLayer.h"

#include <QPainter>

#include <cmath>

void InkLayer::resize(const QSize &logicalSize, qreal devicePixelRatio)
{
    const QSize device = (QSizeF(logicalSize) * devicePixelRatio).toSize();
    if (device == m_image.size() && devicePixelRatio == m_image.devicePixelRatio())
        return;
    m_image = QImage(device.expandedTo(QSize(0, 0)), QImage::Format_ARGB32_Premultiplied);
    m_image.setDevicePixelRatio(devicePixelRatio);
    m_image.fill(Qt::transparent);
    for (const Stroke &stroke : m_strokes)
        for (std::size_t i = 0; i < stroke.points.size(); ++i)
            paintSegment(stroke, i);
}

QRect InkLayer::begin(const InkPoint &point, const QColor &color, qreal widthPx)
{
    m_strokes.push_back(Stroke{color, widthPx, {point}});
    m_drawing = true;
    return paintSegment(m_strokes.back(), 0);
}

QRect InkLayer::extend(const InkPoint &point)
{
    if (!m_drawing)
        return {};
    Stroke &stroke = m_strokes.back();
    stroke.points.push_back(point);
    return paintSegment(stroke, stroke.points.size() - 1);
}

void InkLayer::clear()
{
    m_strokes.clear();
    m_drawing = false;
    m_image.fill(Qt::transparent);
}

// Segment `index` runs from the previous point to this one; the first point of
// a stroke is a dot, so a tap leaves a mark.
QRect InkLayer::paintSegment(const Stroke &stroke, std::size_t index)
{
    const InkPoint &to = stroke.points[index];
    const InkPoint &from = stroke.points[index == 0 ? 0 : index - 1];
    const qreal width = stroke.widthPx * to.pressure;
    const int pad = int(std::ceil(width / 2)) + 2;
    const QRect dirty = QRectF(from.pos, to.pos).normalized().toAlignedRect().adjusted(-pad, -pad, pad, pad);
    if (m_image.isNull())
        return dirty;

    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(stroke.color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(from.pos, to.pos);
    return dirty;
}
