#pragma once

#include "Color.h"
#include "DrawList.h"
#include "PointF.h"
#include "RectF.h"

#include <array>
#include <cstdint>
#include <vector>

namespace core {

// What ink lies on: the fills of a page's picture (discs, sectors and boxes,
// not its lines or letters), placed in the ink layer's logical pixels, so a
// stroke can be given a rim where its pen would vanish into one.
class InkGround
{
public:
    // A pen on a fill of less contrast than this is hard to see from the back row.
    static constexpr double kReadableContrast = 3.0;
    // A box thinner than this is one of the picture's lines, drawn as a box.
    static constexpr double kThinnestFillPx = 3.0;

    InkGround() = default;
    // The fills among the picture's calls, the picture's origin at `origin`.
    InkGround(const DrawList &picture, PointF origin);

    bool empty() const { return m_fills.empty(); }
    // Bit i set: the pen vanishes on the ground's i-th colour.
    std::uint64_t hiding(Rgba pen) const;
    // Whether a fill that `hidden` names reaches into the logical rectangle.
    bool hides(std::uint64_t hidden, const RectF &logical) const;
    // The index of the colour on top at a logical point; -1 where none is.
    int colourAt(PointF logical) const;

    bool operator==(const InkGround &other) const { return m_fills == other.m_fills; }

private:
    struct Fill
    {
        RectF bounds;
        int colour = 0;
        bool box = true;
        PointF centre;
        double radius = 0;
        bool whole = true;
        bool wide = false; // more than a half turn
        PointF start;      // unit vectors of its radii, y up
        PointF end;

        bool contains(PointF p) const;
        bool operator==(const Fill &) const = default;
    };
    static constexpr double kCellPx = 32;

    void add(Fill fill, const Color &colour);
    void index();
    // The cells a rectangle reaches: first and last column, first and last row.
    std::array<int, 4> cellsOf(const RectF &r) const;
    std::uint64_t work(Rgba pen) const;
    int cellOf(PointF p) const;

    std::vector<Fill> m_fills; // in the order they are painted
    std::vector<Rgba> m_colours;
    // hiding() of each pen on offer, worked out once: a page redrawn calls it for every stroke.
    std::vector<std::uint64_t> m_pensHiding;
    // The fills that reach into each square cell of kCellPx over their bounds, bottom first.
    RectF m_bounds;
    double m_cellPx = kCellPx;
    int m_columns = 0;
    int m_rows = 0;
    // Cell c's fills are m_inCells[m_cellStarts[c]] up to m_cellStarts[c + 1].
    std::vector<int> m_cellStarts;
    std::vector<int> m_inCells;
};

} // namespace core
