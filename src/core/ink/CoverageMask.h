#pragma once

#include "Rect.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace core {

// How much ink covers each device pixel of a rectangle, 0 to 255. Segments are
// added by taking the larger coverage, so a stroke never darkens where it
// crosses itself and the result does not depend on the order of its segments.
// Each row remembers the columns it has touched, so a thin stroke across a
// large rectangle costs its own pixels, not the rectangle's.
class CoverageMask
{
public:
    const Rect &rect() const { return m_rect; }
    bool isEmpty() const { return m_rect.isEmpty(); }
    // Starts over, all zero, on `rect`; clears only what was touched.
    void reset(const Rect &rect);
    // Widens to hold `rect` too, keeping what is covered.
    void include(const Rect &rect);
    std::uint8_t *row(int y) { return m_alpha.data() + std::size_t(y - m_rect.y()) * std::size_t(m_rect.width()); }
    const std::uint8_t *row(int y) const
    {
        return m_alpha.data() + std::size_t(y - m_rect.y()) * std::size_t(m_rect.width());
    }
    // Columns [first, last] of row y may hold coverage; none when first > last.
    std::pair<int, int> span(int y) const { return m_spans[std::size_t(y - m_rect.y())]; }
    void touch(int y, int first, int last);

private:
    Rect m_rect;
    std::vector<std::uint8_t> m_alpha;
    std::vector<std::pair<int, int>> m_spans;
};

} // namespace core
