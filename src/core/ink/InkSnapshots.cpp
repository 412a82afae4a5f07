#include "InkSnapshots.h"

#include <algorithm>

namespace core {

namespace {

constexpr std::size_t kBudgetBytes = std::size_t(64) << 20;

} // namespace

std::size_t InkSnapshots::Snapshot::bytes() const
{
    return ids.size() * sizeof(std::uint32_t) + whole.sizeInBytes() + pixels.size() * sizeof(Rgba);
}

InkSnapshots::Snapshot InkSnapshots::ofTiles(const PixelBuffer &image, const InkTiles &tiles,
                                             const InkStrokes::Ids &ids, std::uint64_t generation)
{
    Snapshot snapshot{generation, ids, {}, tiles.indices(), {}};
    for (int index : snapshot.tiles) {
        const Rect r = tiles.rectOf(index);
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const Rgba *row = image.row(y) + r.left();
            snapshot.pixels.insert(snapshot.pixels.end(), row, row + r.width());
        }
    }
    return snapshot;
}

void InkSnapshots::keep(InkStrokes::StepId step, Snapshot snapshot, const std::vector<InkStrokes::StepId> &byDistance)
{
    m_kept[step].push_back(std::move(snapshot));
    std::size_t total = 0;
    for (const auto &[kept, snapshots] : m_kept)
        for (const Snapshot &s : snapshots)
            total += s.bytes();
    for (InkStrokes::StepId far : byDistance) {
        if (total <= kBudgetBytes)
            return;
        const auto kept = m_kept.find(far);
        if (kept == m_kept.end())
            continue;
        for (const Snapshot &s : kept->second)
            total -= s.bytes();
        m_kept.erase(kept);
    }
}

std::vector<InkSnapshots::Snapshot> InkSnapshots::take(InkStrokes::StepId step)
{
    const auto kept = m_kept.find(step);
    if (kept == m_kept.end())
        return {};
    std::vector<Snapshot> snapshots = std::move(kept->second);
    m_kept.erase(kept);
    return snapshots;
}

// Each one's pixels were taken after the ones before it.
std::optional<InkStrokes::Ids> InkSnapshots::putBack(std::vector<Snapshot> &snapshots, std::uint64_t generation,
                                                     PixelBuffer &image,
                                                     const std::function<void(const Rect &)> &restored)
{
    if (snapshots.empty() ||
        !std::all_of(snapshots.begin(), snapshots.end(), [generation](const Snapshot &s) { return s.generation == generation; }))
        return std::nullopt;
    InkStrokes::Ids ids;
    for (auto s = snapshots.rbegin(); s != snapshots.rend(); ++s) {
        ids.insert(ids.end(), s->ids.begin(), s->ids.end());
        if (!s->whole.isNull()) {
            image = std::move(s->whole);
            restored(image.rect());
            continue;
        }
        const Rgba *from = s->pixels.data();
        const InkTiles tiles(image.size());
        for (int index : s->tiles) {
            const Rect r = tiles.rectOf(index);
            for (int y = r.top(); y <= r.bottom(); ++y, from += r.width())
                std::copy_n(from, r.width(), image.row(y) + r.left());
            restored(r);
        }
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

} // namespace core
