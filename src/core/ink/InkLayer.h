#pragma once

#include "Color.h"
#include "InkCanvas.h"
#include "InkStrokes.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace core {

// A page's ink with its picture: the strokes and their history, and the
// canvas that draws them, fed by pointers in the canvas's logical pixels,
// which it keeps in the units of the page's figure.
class InkLayer
{
public:
    static constexpr std::size_t kMaxUndoSteps = InkStrokes::kMaxUndoSteps;
    static constexpr int kTilePx = InkCanvas::kTilePx;
    using Prepared = InkStrokes::Prepared;

    // Pen pressure 0..1 to a width factor; half pressure draws at the normal
    // width, and a driver's odd value draws at the normal width too.
    static double widthFactorForPressure(double pressure);

    InkLayer() = default;
    InkLayer(const InkLayer &) = delete;
    InkLayer &operator=(const InkLayer &) = delete;

    const InkStrokes &data() const { return m_strokes; }
    InkCanvas &canvas() { return m_canvas; }
    const InkCanvas &canvas() const { return m_canvas; }

    void setFrame(const Similarity &frame) { m_canvas.setFrame(frame); }
    const Similarity &frame() const { return m_canvas.frame(); }
    void resize(const Size &logicalSize, double devicePixelRatio) { m_canvas.resize(logicalSize, devicePixelRatio); }
    Size size() const { return m_canvas.size(); }
    void setEdged(bool edged) { m_canvas.setEdged(edged); }
    bool edged() const { return m_canvas.edged(); }
    double devicePixelRatio() const { return m_canvas.devicePixelRatio(); }

    // Input, in logical pixels of the layer. A collapsed figure takes no ink,
    // non-finite input is dropped, and input far off is held at a distance.
    bool begin(PointerId pointer, PointF pos, double widthFactor, const Color &color, double widthPx);
    void extend(PointerId pointer, PointF pos, double widthFactor);
    void end(PointerId pointer) { m_strokes.end(pointer); }
    void endAll() { m_strokes.endAll(); }
    template <typename Pred>
    void endWhere(Pred matches)
    {
        m_strokes.endWhere(matches);
    }
    bool drawing() const { return m_strokes.drawing(); }
    bool drawing(PointerId pointer) const { return m_strokes.drawing(pointer); }
    // Strokes still being drawn that never left `radiusPx` around `pos` are
    // dropped, leaving no step: a press held there asked for something else.
    void dropStillAt(PointF pos, double radiusPx);

    bool clear() { return m_strokes.clear(); }
    bool eraseAlong(PointF from, PointF to, double radiusPx);
    void endErase() { m_strokes.endErase(); }
    bool undo() { return m_strokes.undo(); }
    bool redo() { return m_strokes.redo(); }
    // The slow part of putting much ink back, so a front-end may run it on any thread.
    static Prepared prepare(std::vector<Stroke> strokes) { return InkStrokes::prepare(std::move(strokes)); }
    bool restore(std::vector<Stroke> strokes) { return restore(prepare(std::move(strokes))); }
    bool restore(Prepared strokes) { return m_strokes.restore(std::move(strokes)); }
    void replace(std::vector<Stroke> strokes) { m_strokes.replace(prepare(std::move(strokes))); }
    std::vector<InkStrokes::LiveStroke> liveStrokes() const { return m_strokes.liveStrokes(); }

    Rect takeDirty() { return m_canvas.takeDirty(); }
    std::vector<const Stroke *> strokes() const { return m_strokes.strokes(); }
    std::size_t pointCount() const { return m_strokes.pointCount(); }
    std::size_t undoDepth() const { return m_strokes.undoDepth(); }
    std::uint64_t changes() const { return m_strokes.changes(); }

    std::size_t redoDepth() const { return m_strokes.redoDepth(); }
    const PixelBuffer &image() { return m_canvas.image(); }
    Rect inkedDeviceRect(const Rect &logicalRect) { return m_canvas.inkedDeviceRect(logicalRect); }
    bool liveWithin(const Rect &device) const { return m_canvas.liveWithin(device); }
    const PixelBuffer &composed(const Rect &device) { return m_canvas.composed(device); }

private:
    InkStrokes m_strokes;
    InkCanvas m_canvas{m_strokes};
};

} // namespace core
