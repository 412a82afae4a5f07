#pragma once

#include "InkStrokes.h"
#include "InkTiles.h"
#include "PixelBuffer.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace core {

// Pixels of a canvas from before a step took its strokes off, kept to put
// back when they return instead of drawing them again; past a budget, those
// of the steps furthest from the present go first.
class InkSnapshots
{
public:
    // What one removal took: the whole image when every stroke went, or the tiles of its strokes.
    struct Snapshot
    {
        std::uint64_t generation = 0; // of the image's drawing they fit
        InkStrokes::Ids ids;          // the strokes taken off just after
        PixelBuffer whole;
        std::vector<int> tiles;
        std::vector<Rgba> pixels;
        std::size_t bytes() const;
    };

    static Snapshot ofTiles(const PixelBuffer &image, const InkTiles &tiles, const InkStrokes::Ids &ids,
                            std::uint64_t generation);
    void keep(InkStrokes::StepId step, Snapshot snapshot, const std::vector<InkStrokes::StepId> &byDistance);
    // The step's snapshots, no longer kept; oldest first.
    std::vector<Snapshot> take(InkStrokes::StepId step);
    void forget(InkStrokes::StepId step) { m_kept.erase(step); }
    void clear() { m_kept.clear(); }
    // Puts the snapshots back into `image`, newest first, telling `restored`
    // of each area; the strokes whose pixels came back, or nothing when some
    // snapshot is of an older drawing and the image is left as it was.
    static std::optional<InkStrokes::Ids> putBack(std::vector<Snapshot> &snapshots, std::uint64_t generation,
                                                  PixelBuffer &image, const std::function<void(const Rect &)> &restored);

private:
    std::map<InkStrokes::StepId, std::vector<Snapshot>> m_kept;
};

} // namespace core
