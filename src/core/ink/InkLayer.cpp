#include "InkLayer.h"

#include <algorithm>
#include <cmath>

namespace core {

namespace {

constexpr double kNormalPressure = 0.5;
constexpr double kThinnestFactor = 0.5;
constexpr double kThickestFactor = 1.75;
// Input this far outside the layer, in logical pixels, is a driver's error
// and is held at this distance.
constexpr double kFarthestInputPx = 100000;

bool finite(PointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

PointF heldNear(PointF p)
{
    return {std::clamp(p.x(), -kFarthestInputPx, kFarthestInputPx),
            std::clamp(p.y(), -kFarthestInputPx, kFarthestInputPx)};
}

double usableFactor(double factor)
{
    return std::isfinite(factor) ? std::clamp(factor, kThinnestFactor, kThickestFactor) : 1.0;
}

} // namespace

double InkLayer::widthFactorForPressure(double pressure)
{
    const double p = std::isfinite(pressure) ? pressure : kNormalPressure;
    return std::clamp(0.25 + 1.5 * p, kThinnestFactor, kThickestFactor);
}

bool InkLayer::begin(PointerId pointer, PointF pos, double widthFactor, const Color &color, double widthPx)
{
    m_strokes.end(pointer);
    m_canvas.ensureImage();
    if (!m_canvas.placeable() || !finite(pos) || !std::isfinite(widthPx) || !(widthPx > 0))
        return false;
    const PointF at = frame().unmap(heldNear(pos));
    const InkPoint first{float(at.x()), float(at.y()), float(usableFactor(widthFactor))};
    m_strokes.begin(pointer, InkStroke(color.rgba(), float(widthPx / frame().scale), first));
    return true;
}

// While the figure is collapsed, a stroke still held down waits for it.
void InkLayer::extend(PointerId pointer, PointF pos, double widthFactor)
{
    if (!m_strokes.drawing(pointer) || !finite(pos) || !frame().usable())
        return;
    const PointF at = frame().unmap(heldNear(pos));
    m_strokes.extend(pointer, {float(at.x()), float(at.y()), float(usableFactor(widthFactor))});
}

void InkLayer::dropStillAt(PointF pos, double radiusPx)
{
    std::vector<PointerId> still;
    for (const auto &[pointer, stroke] : m_strokes.live()) {
        const auto &points = stroke.data().points;
        if (std::all_of(points.begin(), points.end(),
                        [&](const InkPoint &p) { return (frame().map(p.pos()) - pos).length() <= radiusPx; }))
            still.push_back(pointer);
    }
    for (PointerId pointer : still)
        m_strokes.drop(pointer);
}

bool InkLayer::eraseAlong(PointF from, PointF to, double radiusPx)
{
    if (!frame().usable() || !finite(from) || !finite(to) || !std::isfinite(radiusPx) || !(radiusPx > 0))
        return false;
    m_canvas.ensureImage();
    return m_strokes.eraseAlong(frame().unmap(heldNear(from)), frame().unmap(heldNear(to)), radiusPx / frame().scale);
}

} // namespace core
