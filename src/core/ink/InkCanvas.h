#pragma once

#include "InkGround.h"
#include "InkSnapshots.h"
#include "InkStrokes.h"
#include "InkStyle.h"
#include "InkTiles.h"
#include "PixelBuffer.h"
#include "Similarity.h"

#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace core {

// A view of a page's strokes: their pixels at device resolution, placed by
// the figure's frame, with the strokes still being drawn laid over them. An
// operation redraws only the tiles it touches, and a step that would be slow
// to redraw keeps the pixels it took away, so undo and redo cost about the
// same on a full page as on an empty one.
class InkCanvas : private InkStrokes::Watcher
{
public:
    static constexpr int kTilePx = InkTiles::kTilePx;
    // However large the window or odd its pixel ratio, the image stays within this a side.
    static constexpr int kLargestDevicePx = 8192;

    explicit InkCanvas(InkStrokes &strokes);
    ~InkCanvas() override;
    InkCanvas(const InkCanvas &) = delete;
    InkCanvas &operator=(const InkCanvas &) = delete;

    // Where the figure's units land on the layer, in logical pixels.
    void setFrame(const Similarity &frame);
    const Similarity &frame() const { return m_style.frame; }
    void resize(const Size &logicalSize, double devicePixelRatio);
    Size size() const { return m_logicalSize; }
    double devicePixelRatio() const { return m_style.ratio; }
    // Strokes drawn with a rim of PenPalette::edgeFor their colour, for the heavier weights.
    void setEdged(bool edged);
    bool edged() const { return m_style.edged; }
    // The picture's fills under the layer: unedged strokes get their rim only where they would vanish.
    void setGround(InkGround ground);
    const InkGround &ground() const { return m_style.ground; }
    // Whether strokes can be placed: the figure has a size and so has the layer.
    bool placeable() const;

    // The logical rectangle that changed since the last call.
    Rect takeDirty() { return std::exchange(m_dirty, Rect()); }

    // The finished strokes at device resolution, drawn for the current frame
    // and size. The image may be larger than the layer; its top-left part shows.
    const PixelBuffer &image();
    // The device pixels of `logicalRect` where ink may lie; empty where there
    // is none, which most repaints of a figure under little ink find.
    Rect inkedDeviceRect(const Rect &logicalRect);
    // Whether strokes still being drawn cover part of `device`.
    bool liveWithin(const Rect &device) const;
    // The finished strokes with those still being drawn over them, within
    // `device`; valid until the next call.
    const PixelBuffer &composed(const Rect &device);
    // Draws what changed since the image was last drawn whole.
    void ensureImage();

private:
    using Tiles = InkTiles;
    struct Live
    {
        CoverageMask mask;
        CoverageMask rim; // where a rim may go, when the ground calls for one
    };
    // What a step taking strokes off settled before they went.
    struct Leaving
    {
        bool drawable = false;
        bool keepWhole = false;
        std::optional<Tiles> tiles;
        InkSnapshots::Snapshot snapshot;
    };

    void grew(PointerId pointer, const InkStroke &stroke) override;
    void ended(PointerId pointer, const InkStroke &stroke) override;
    void finished(const InkStroke &stroke) override;
    void leaving(InkStrokes::StepId step, const InkStrokes::Ids &ids) override;
    void left(InkStrokes::StepId step) override;
    void returned(InkStrokes::StepId step, const InkStrokes::Ids &ids, bool onTop) override;
    void forgotten(InkStrokes::StepId step) override { m_kept.forget(step); }

    Rect reachOf(const InkStroke &stroke) const
    {
        return stroke.reach(m_style.device(), m_style.rimmed()) & m_image.rect();
    }
    void markDirty(const Rect &device);
    void markAllDirty() { m_dirty = Rect(Point(), m_logicalSize); }
    void renderAll();
    void renderTiles(const Tiles &tiles);
    Tiles tilesOf(const InkStrokes::Ids &ids) const;
    std::size_t costOfRedraw(const Tiles &tiles) const;

    InkStrokes &m_strokes;
    InkStyle m_style;
    Size m_logicalSize;
    PixelBuffer m_image;
    bool m_stale = true;
    // Bumped whenever every pixel is drawn anew; kept pixels of older ones no longer fit.
    std::uint64_t m_generation = 0;
    std::map<PointerId, Live> m_live;
    InkSnapshots m_kept;
    Leaving m_leaving;
    CoverageMask m_scratch;
    CoverageMask m_rimScratch;
    // composed()'s pixels, kept so a pen's every move does not allocate.
    PixelBuffer m_composed;
    Rect m_dirty;
    // Device pixels that finished ink may cover; it grows until the page is drawn anew.
    Rect m_inked;
    // Device pixels of the image that may not be clear, so a page drawn anew clears only those.
    Rect m_painted;
};

} // namespace core
