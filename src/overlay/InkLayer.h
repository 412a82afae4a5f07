#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRect>

#include <deque>
#include <optional>
#include <utility>
#include <vector>

// One point of a stroke, from a mouse, a pen or a finger. `widthFactor` scales
// the stroke's width at this point: 1 for mouse and finger, from the pressure
// for a pen.
struct InkPoint
{
    QPointF pos;
    qreal widthFactor = 1.0;
};

struct Stroke
{
    QColor color;
    qreal widthPx = 0;
    std::vector<InkPoint> points;
};

// Freehand strokes kept as data and rendered into a transparent image cache.
// Adding a segment paints only that segment, so its cost does not depend on
// what the layer already holds; a new size replays every stroke unchanged. The
// image may be larger than the layer: only its top-left part is shown.
// Every change (a stroke, a clear, an erase gesture) is one step that can be
// undone and redone.
class InkLayer
{
public:
    static constexpr std::size_t kMaxUndoSteps = 500;

    // Pen pressure 0..1 to a width factor; half pressure draws at the normal width.
    static qreal widthFactorForPressure(qreal pressure);

    void resize(const QSize &logicalSize, qreal devicePixelRatio);

    // Each returns the logical rectangle that now needs repainting.
    QRect begin(const InkPoint &point, const QColor &color, qreal widthPx);
    QRect extend(const InkPoint &point);
    void end() { m_drawing = false; }

    // The rest change the whole layer; they return whether anything changed.
    bool clear();
    // Removes every stroke that passes within `radius` of the segment from
    // `from` to `to`; removals until endErase() form one step.
    bool eraseAlong(QPointF from, QPointF to, qreal radius);
    void endErase() { m_erasing = false; }
    bool undo();
    bool redo();

    bool drawing() const { return m_drawing; }
    const std::vector<Stroke> &strokes() const { return m_strokes; }
    const QImage &image() const { return m_image; }

private:
    // A new stroke (always the last on the layer while the step is done), or
    // strokes taken out, each with its index, ascending.
    struct Step
    {
        enum class Kind { Stroke, Removal } kind = Kind::Stroke;
        std::vector<std::pair<std::size_t, Stroke>> removed;
        std::optional<Stroke> undoneStroke;
    };

    QRect paintSegment(const Stroke &stroke, std::size_t index);
    void repaintAll();
    void record(Step step);
    void apply(Step &step);
    void revert(Step &step);

    std::vector<Stroke> m_strokes;
    std::deque<Step> m_undo;
    std::vector<Step> m_redo;
    QImage m_image;
    bool m_drawing = false;
    bool m_erasing = false;
};
