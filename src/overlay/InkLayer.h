#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRect>

#include <vector>

// One point of a stroke, from a mouse, a pen or a finger.
struct InkPoint
{
    QPointF pos;
    qreal pressure = 1.0;
};

struct Stroke
{
    QColor color;
    qreal widthPx = 0;
    std::vector<InkPoint> points;
};

// Freehand strokes kept as data and rendered into a transparent image cache.
// Adding a segment paints only that segment, so its cost does not depend on
// what the layer already holds; a new size replays every stroke unchanged.
class InkLayer
{
public:
    void resize(const QSize &logicalSize, qreal devicePixelRatio);

    // Each returns the logical rectangle that now needs repainting.
    QRect begin(const InkPoint &point, const QColor &color, qreal widthPx);
    QRect extend(const InkPoint &point);
    void end() { m_drawing = false; }
    void clear();

    bool drawing() const { return m_drawing; }
    const std::vector<Stroke> &strokes() const { return m_strokes; }
    const QImage &image() const { return m_image; }

private:
    QRect paintSegment(const Stroke &stroke, std::size_t index);

    std::vector<Stroke> m_strokes;
    QImage m_image;
    bool m_drawing = false;
};
