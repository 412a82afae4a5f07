#pragma once

#include "Color.h"
#include "InkRaster.h"
#include "InkStroke.h"
#include "PixelBuffer.h"
#include "Similarity.h"

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace core {

// Mouse, each pen and each finger draw their own stroke; this names which.
using PointerId = std::uint64_t;

// A page's ink: strokes kept in the units of the page's figure and placed by
// its current frame, drawn into a cached image of the committed strokes, with
// the strokes still being drawn (one per pointer) over it. Every finished
// stroke, clear and erasing gesture is one step of the history. An operation
// redraws only the tiles it touches, and a step that would be slow to redraw
// keeps the pixels it took away, so undo and redo cost about the same on a
// full page as on an empty one.
class InkLayer
{
public:
    static constexpr std::size_t kMaxUndoSteps = 500;
    static constexpr int kTilePx = 64;

    // Pen pressure 0..1 to a width factor; half pressure draws at the normal
    // width, and a driver's odd value draws at the normal width too.
    static double widthFactorForPressure(double pressure);

    InkLayer();
    ~InkLayer();

    // Where the figure's units land on the layer, in logical pixels.
    void setFrame(const Similarity &frame);
    const Similarity &frame() const { return m_frame; }
    void resize(const Size &logicalSize, double devicePixelRatio);
    Size size() const { return m_logicalSize; }
    // Strokes drawn with a rim of PenPalette::edgeFor their colour, for the heavier weights.
    void setEdged(bool edged);
    bool edged() const { return m_edged; }
    double devicePixelRatio() const { return m_ratio; }

    // Input, in logical pixels of the layer. A collapsed figure takes no ink,
    // and non-finite input is dropped.
    bool begin(PointerId pointer, PointF pos, double widthFactor, const Color &color, double widthPx);
    void extend(PointerId pointer, PointF pos, double widthFactor);
    // The stroke becomes one step of the history.
    void end(PointerId pointer);
    void endAll();
    bool drawing() const { return !m_live.empty(); }
    bool drawing(PointerId pointer) const { return m_live.count(pointer) != 0; }
    // Strokes of every pointer that `matches` accepts end.
    template <typename Pred>
    void endWhere(Pred matches);
    // Strokes still being drawn that never left `radiusPx` around `pos` are
    // dropped, leaving no step: a press held there asked for something else.
    void dropStillAt(PointF pos, double radiusPx);

    // Whole-page operations; each says whether it changed anything. A clear
    // takes the strokes still being drawn too.
    bool clear();
    // Removes every finished stroke that passes within `radiusPx` of the
    // segment from→to; removals until endErase() form one step.
    bool eraseAlong(PointF from, PointF to, double radiusPx);
    void endErase() { m_erasing = false; }
    // Both end the strokes still being drawn first, each as a step.
    bool undo();
    bool redo();
    // Saved strokes made ready to draw, strokes with odd values left out: the
    // slow part of putting much ink back, so a front-end may run it on any thread.
    using Prepared = std::vector<std::unique_ptr<InkStroke>>;
    static Prepared prepare(std::vector<Stroke> strokes);
    // Puts strokes back on the page as one step (from a saved board).
    bool restore(std::vector<Stroke> strokes) { return restore(prepare(std::move(strokes))); }
    bool restore(Prepared strokes);

    // Shows exactly these strokes, with no history: a copy of someone else's page.
    void replace(std::vector<Stroke> strokes);
    // Strokes still being drawn, each with a number that no other stroke of
    // the layer had, for a class that follows them as they grow.
    struct LiveStroke
    {
        std::uint64_t serial;
        const Stroke *stroke;
    };
    std::vector<LiveStroke> liveStrokes() const;

    // The logical rectangle that changed since the last call.
    Rect takeDirty() { return std::exchange(m_dirty, Rect()); }

    // Finished strokes, bottom to top.
    std::vector<const Stroke *> strokes() const;
    std::size_t pointCount() const;
    std::size_t undoDepth() const { return m_undo.size(); }
    // Grows whenever the finished strokes change, so a keeper can tell what to save.
    std::uint64_t changes() const { return m_changes; }

    // The finished strokes at device resolution, drawn for the current frame
    // and size. The image may be larger than the layer; its top-left part shows.
    const PixelBuffer &image();
    // The device pixels of `logicalRect` where ink may lie; empty where there
    // is none, which most repaints of a figure under little ink find.
    Rect inkedDeviceRect(const Rect &logicalRect);
    // Whether strokes still being drawn cover part of `device`.
    bool liveWithin(const Rect &device) const;
    // The finished strokes with those still being drawn over them, within `device`.
    PixelBuffer composed(const Rect &device);

private:
    class Tiles;

    // Pixels of the image from before strokes were taken off, to put back
    // when they return instead of drawing them again.
    struct Snapshot
    {
        std::uint64_t generation = 0;
        std::vector<std::uint32_t> ids; // the strokes taken off just after, ascending
        PixelBuffer whole;     // when every stroke went
        std::vector<int> tiles; // or these tiles
        std::vector<Rgba> pixels;
        std::size_t bytes() const;
    };

    // Strokes that one step puts on the page (a new stroke, a restore) or takes
    // off (a clear, an erasing gesture). While they are off the page, the step holds them.
    struct Step
    {
        bool adds = true;
        std::vector<std::uint32_t> ids; // ascending
        std::vector<std::unique_ptr<InkStroke>> held;
        std::vector<Snapshot> snapshots; // oldest first
    };

    struct Live
    {
        InkStroke stroke;
        CoverageMask mask;
        std::uint64_t serial = 0;
    };

    Similarity deviceFrame() const { return m_frame.scaled(m_ratio); }
    bool placeable() const;
    void markDirty(const Rect &device);
    void markAllDirty() { m_dirty = Rect(Point(), m_logicalSize); }
    void ensureImage();
    void renderAll();
    void renderLive(Live &live);
    void renderTiles(const Tiles &tiles);
    void renderStroke(const InkStroke &stroke, const Rect &clip, const Tiles *only, CoverageMask &scratch,
                      const InkRaster::Surface &surface) const;
    void compositeStroke(const InkRaster::Surface &surface, const CoverageMask &mask, const InkStroke &stroke,
                         const Rect &clip) const;
    std::size_t costOfRedraw(const Tiles &tiles) const;
    Tiles tilesOf(const std::vector<std::uint32_t> &ids) const;
    void putOn(Step &step);
    void takeOff(Step &step);
    void record(std::unique_ptr<Step> step);
    void dropSnapshots();
    void keepSnapshotBudget();

    Similarity m_frame;
    Size m_logicalSize;
    double m_ratio = 1;
    PixelBuffer m_image;
    bool m_stale = true;
    bool m_edged = false;
    // Bumped whenever every pixel is drawn anew; kept pixels of older ones no longer fit.
    std::uint64_t m_generation = 0;

    // Finished strokes on the page, by id; ids grow, so they give the order of
    // drawing. Strokes taken off the page wait in the history with their id.
    // A deque, as a page of many small strokes would otherwise carry up to
    // half a vector's worth of spare slots and copy them all as it grows.
    std::deque<std::unique_ptr<InkStroke>> m_strokes;
    std::uint32_t m_nextId = 0;
    std::map<PointerId, Live> m_live;
    std::deque<std::unique_ptr<Step>> m_undo;
    std::vector<std::unique_ptr<Step>> m_redo;
    bool m_erasing = false;
    std::uint64_t m_changes = 0;
    std::uint64_t m_begun = 0;
    CoverageMask m_scratch;
    Rect m_dirty;
    // Device pixels that finished ink may cover; it grows until the page is drawn anew.
    Rect m_inked;
};

template <typename Pred>
void InkLayer::endWhere(Pred matches)
{
    std::vector<PointerId> ending;
    for (const auto &entry : m_live)
        if (matches(entry.first))
            ending.push_back(entry.first);
    for (PointerId pointer : ending)
        end(pointer);
}

} // namespace core
