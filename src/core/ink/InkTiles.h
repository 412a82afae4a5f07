#pragma once

#include "Rect.h"
#include "Size.h"

#include <vector>

namespace core {

// An image cut into square tiles, some of them marked: what a step of the ink
// must draw again.
class InkTiles
{
public:
    static constexpr int kTilePx = 64;

    explicit InkTiles(const Size &image)
        : m_image(image), m_columns((image.width() + kTilePx - 1) / kTilePx),
          m_rows((image.height() + kTilePx - 1) / kTilePx), m_marked(std::size_t(m_columns) * m_rows, false)
    {
    }

    void add(const Rect &device)
    {
        const Rect r = device & Rect(Point(), m_image);
        if (r.isEmpty())
            return;
        for (int row = r.top() / kTilePx; row <= r.bottom() / kTilePx; ++row)
            for (int column = r.left() / kTilePx; column <= r.right() / kTilePx; ++column)
                m_marked[std::size_t(row) * m_columns + column] = true;
        m_bounds |= tileRect(r.top() / kTilePx, r.left() / kTilePx) | tileRect(r.bottom() / kTilePx, r.right() / kTilePx);
    }

    bool touches(const Rect &device) const
    {
        const Rect r = device & m_bounds;
        if (r.isEmpty())
            return false;
        for (int row = r.top() / kTilePx; row <= r.bottom() / kTilePx; ++row)
            for (int column = r.left() / kTilePx; column <= r.right() / kTilePx; ++column)
                if (m_marked[std::size_t(row) * m_columns + column])
                    return true;
        return false;
    }

    const Rect &bounds() const { return m_bounds; }

    std::vector<int> indices() const
    {
        std::vector<int> out;
        for (std::size_t i = 0; i < m_marked.size(); ++i)
            if (m_marked[i])
                out.push_back(int(i));
        return out;
    }

    Rect rectOf(int index) const { return tileRect(index / m_columns, index % m_columns); }

    // Marked tiles within `area`, clipped to it.
    template <typename F>
    void forEachIn(const Rect &area, F f) const
    {
        const Rect r = area & m_bounds;
        if (r.isEmpty())
            return;
        for (int row = r.top() / kTilePx; row <= r.bottom() / kTilePx; ++row)
            for (int column = r.left() / kTilePx; column <= r.right() / kTilePx; ++column)
                if (m_marked[std::size_t(row) * m_columns + column])
                    f(tileRect(row, column) & r);
    }

private:
    Rect tileRect(int row, int column) const
    {
        return Rect(column * kTilePx, row * kTilePx, kTilePx, kTilePx) & Rect(Point(), m_image);
    }

    Size m_image;
    int m_columns;
    int m_rows;
    std::vector<bool> m_marked;
    Rect m_bounds;
};

} // namespace core
