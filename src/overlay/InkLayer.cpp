#include "InkLayer.h"

#include <QLineF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr qreal kThinnestFactor = 0.5;
constexpr qreal kThickestFactor = 1.75;

qreal distanceToSegment(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const qreal lengthSquared = QPointF::dotProduct(ab, ab);
    const qreal t = lengthSquared > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / lengthSquared, 0.0, 1.0) : 0.0;
    return QLineF(p, a + t * ab).length();
}

// Whether a stroke comes within `radius` of the eraser's path, sampled finely
// enough that a quick sweep cannot jump over a stroke.
bool crosses(const Stroke &stroke, QPointF from, QPointF to, qreal radius)
{
    const qreal reach = radius + stroke.widthPx / 2;
    const int samples = 1 + int(QLineF(from, to).length() / std::max<qreal>(1, radius / 2));
    for (int s = 0; s <= samples; ++s) {
        const QPointF p = from + (to - from) * (qreal(s) / samples);
        for (std::size_t i = 0; i < stroke.points.size(); ++i) {
            const QPointF a = stroke.points[i == 0 ? 0 : i - 1].pos;
            if (distanceToSegment(p, a, stroke.points[i].pos) <= reach)
                return true;
        }
    }
    return false;
}

} // namespace

qreal InkLayer::widthFactorForPressure(qreal pressure)
{
    return std::clamp(0.25 + 1.5 * pressure, kThinnestFactor, kThickestFactor);
}

// The image grows in steps and is kept while the layer shrinks a little, so
// dragging the window's border does not reallocate and replay on every pixel.
void InkLayer::resize(const QSize &logicalSize, qreal devicePixelRatio)
{
    constexpr int kStepPx = 256;
    constexpr qint64 kMostWastedFactor = 4;
    const auto roundUp = [](int px) { return (std::max(0, px) + kStepPx - 1) / kStepPx * kStepPx; };
    const QSize needed = (QSizeF(logicalSize) * devicePixelRatio).toSize();
    const QSize wanted(roundUp(needed.width()), roundUp(needed.height()));
    const bool fits = m_image.width() >= needed.width() && m_image.height() >= needed.height();
    const bool wasteful =
        qint64(m_image.width()) * m_image.height() > kMostWastedFactor * qint64(wanted.width()) * wanted.height();
    if (devicePixelRatio == m_image.devicePixelRatio() && fits && !wasteful)
        return;
    m_image = QImage(wanted, QImage::Format_ARGB32_Premultiplied);
    m_image.setDevicePixelRatio(devicePixelRatio);
    repaintAll();
}

QRect InkLayer::begin(const InkPoint &point, const QColor &color, qreal widthPx)
{
    m_strokes.push_back(Stroke{color, widthPx, {point}});
    m_drawing = true;
    record(Step{});
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

bool InkLayer::clear()
{
    m_drawing = false;
    if (m_strokes.empty())
        return false;
    Step step;
    for (std::size_t i = 0; i < m_strokes.size(); ++i)
        step.removed.emplace_back(i, std::move(m_strokes[i]));
    step.kind = Step::Kind::Removal;
    m_strokes.clear();
    record(std::move(step));
    repaintAll();
    return true;
}

bool InkLayer::eraseAlong(QPointF from, QPointF to, qreal radius)
{
    // Indices before this call, descending, so erasing one keeps the others valid.
    std::vector<std::pair<std::size_t, Stroke>> removed;
    for (std::size_t i = m_strokes.size(); i-- > 0;) {
        if (crosses(m_strokes[i], from, to, radius)) {
            removed.emplace_back(i, std::move(m_strokes[i]));
            m_strokes.erase(m_strokes.begin() + std::ptrdiff_t(i));
        }
    }
    if (removed.empty())
        return false;

    if (m_erasing) {
        // The same gesture: indices go back to what they were before it began,
        // so undo puts every stroke back in its place.
        std::vector<std::pair<std::size_t, Stroke>> &step = m_undo.back().removed;
        std::vector<std::size_t> earlier;
        for (const auto &entry : step)
            earlier.push_back(entry.first);
        for (auto &[index, stroke] : removed) {
            std::size_t original = index;
            for (std::size_t e : earlier)
                if (e <= original)
                    ++original;
            step.emplace_back(original, std::move(stroke));
        }
        std::sort(step.begin(), step.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    } else {
        std::reverse(removed.begin(), removed.end());
        record(Step{Step::Kind::Removal, std::move(removed), std::nullopt});
        m_erasing = true;
    }
    repaintAll();
    return true;
}

bool InkLayer::undo()
{
    if (m_undo.empty() || m_drawing)
        return false;
    m_erasing = false;
    Step step = std::move(m_undo.back());
    m_undo.pop_back();
    revert(step);
    m_redo.push_back(std::move(step));
    repaintAll();
    return true;
}

bool InkLayer::redo()
{
    if (m_redo.empty() || m_drawing)
        return false;
    m_erasing = false;
    Step step = std::move(m_redo.back());
    m_redo.pop_back();
    apply(step);
    m_undo.push_back(std::move(step));
    repaintAll();
    return true;
}

void InkLayer::record(Step step)
{
    m_erasing = false;
    m_redo.clear();
    m_undo.push_back(std::move(step));
    if (m_undo.size() > kMaxUndoSteps)
        m_undo.pop_front();
}

void InkLayer::revert(Step &step)
{
    if (step.kind == Step::Kind::Stroke) {
        step.undoneStroke = std::move(m_strokes.back());
        m_strokes.pop_back();
        return;
    }
    for (auto &[index, stroke] : step.removed)
        m_strokes.insert(m_strokes.begin() + std::ptrdiff_t(index), std::move(stroke));
}

void InkLayer::apply(Step &step)
{
    if (step.kind == Step::Kind::Stroke) {
        m_strokes.push_back(std::move(*step.undoneStroke));
        step.undoneStroke.reset();
        return;
    }
    for (auto it = step.removed.rbegin(); it != step.removed.rend(); ++it) {
        it->second = std::move(m_strokes[it->first]);
        m_strokes.erase(m_strokes.begin() + std::ptrdiff_t(it->first));
    }
}

void InkLayer::repaintAll()
{
    m_image.fill(Qt::transparent);
    for (const Stroke &stroke : m_strokes)
        for (std::size_t i = 0; i < stroke.points.size(); ++i)
            paintSegment(stroke, i);
}

// Segment `index` runs from the previous point to this one; the first point of
// a stroke is a dot, so a tap leaves a mark.
QRect InkLayer::paintSegment(const Stroke &stroke, std::size_t index)
{
    const InkPoint &to = stroke.points[index];
    const InkPoint &from = stroke.points[index == 0 ? 0 : index - 1];
    const qreal width = stroke.widthPx * to.widthFactor;
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
