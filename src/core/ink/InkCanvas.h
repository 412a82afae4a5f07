#pragma once

#include "InkGround.h"
#include "InkRaster.h"
#include "InkStrokes.h"
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
    const Similarity &frame() const { return m_frame; }
    void resize(const Size &logicalSize, double devicePixelRatio);
    Size size() const { return m_logicalSize; }
    double devicePixelRatio() const { return m_ratio; }
    // Strokes drawn with a rim of PenPalette::edgeFor their colour, for the heavier weights.
    void setEdged(bool edged);
    bool edged() const { return m_edged; }
    // The picture's fills under the layer: unedged strokes get their rim only where they would vanish.
    void setGround(InkGround ground);
    const InkGround &ground() const { return m_ground; }
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
    // The finished strokes with those still being drawn over them, within `device`.
    PixelBuffer composed(const Rect &device);
    // Draws what changed since the image was last drawn whole.
    void ensureImage();

private:
    using Tiles = InkTiles;
    struct Snapshot
    {
        std::uint64_t generation = 0;
        InkStrokes::Ids ids;    // the strokes taken off just after
        PixelBuffer whole;      // when every stroke went
        std::vector<int> tiles; // or these tiles
        std::vector<Rgba> pixels;
        std::size_t bytes() const;
    };
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
        Snapshot snapshot;
    };

    void grew(PointerId pointer, const InkStroke &stroke) override;
    void ended(PointerId pointer) override;
    void finished(const InkStroke &stroke) override;
    void leaving(InkStrokes::StepId step, const InkStrokes::Ids &ids) override;
    void left(InkStrokes::StepId step) override;
    void returned(InkStrokes::StepId step, const InkStrokes::Ids &ids, bool onTop) override;
    void forgotten(InkStrokes::StepId step) override { m_kept.erase(step); }

    Similarity deviceFrame() const { return m_frame.scaled(m_ratio); }
    bool rimmed() const { return m_edged || !m_ground.empty(); }
    Rect reachOf(const InkStroke &stroke) const { return stroke.reach(deviceFrame(), rimmed()) & m_image.rect(); }
    void markDirty(const Rect &device);
    void markAllDirty() { m_dirty = Rect(Point(), m_logicalSize); }
    void renderAll();
    void renderLive(const InkStroke &stroke, Live &live);
    void renderTiles(const Tiles &tiles);
    void renderStroke(const InkStroke &stroke, const Rect &clip, const Tiles *only, CoverageMask &scratch,
                      CoverageMask &rimScratch, const InkRaster::Surface &surface) const;
    void compositeStroke(const InkRaster::Surface &surface, const CoverageMask &mask, const CoverageMask *rim,
                         const InkStroke &stroke, const Rect &clip) const;
    std::uint64_t hiddenUnder(const InkStroke &stroke) const;
    Tiles tilesOf(const InkStrokes::Ids &ids) const;
    std::size_t costOfRedraw(const Tiles &tiles) const;
    void dropSnapshots() { m_kept.clear(); }
    void keepSnapshotBudget();

    InkStrokes &m_strokes;
    Similarity m_frame;
    Size m_logicalSize;
    double m_ratio = 1;
    PixelBuffer m_image;
    bool m_stale = true;
    bool m_edged = false;
    InkGround m_ground;
    // Bumped whenever every pixel is drawn anew; kept pixels of older ones no longer fit.
    std::uint64_t m_generation = 0;
    std::map<PointerId, Live> m_live;
    // Pixels of the image from before each step's strokes were taken off, to
    // put back when they return instead of drawing them again.
    std::map<InkStrokes::StepId, std::vector<Snapshot>> m_kept;
    Leaving m_leaving;
    CoverageMask m_scratch;
    CoverageMask m_rimScratch;
    Rect m_dirty;
    // Device pixels that finished ink may cover; it grows until the page is drawn anew.
    Rect m_inked;
    // Device pixels of the image that may not be clear, so a page drawn anew clears only those.
    Rect m_painted;
};

} // namespace core
