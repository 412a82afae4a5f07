#include "SquaredPaper.h"

#include "DrawOps.h"

#include <cmath>

namespace core {

namespace {

enum class Kind { Outside, Inside, Cut };

// Corners are in squares from the centre. A corner on the circle counts as
// within, and a square the circle only touches at a corner is not cut.
Kind kindOf(int column, int row, int radiusSquares)
{
    const int rr = radiusSquares * radiusSquares;
    bool inner = false, outer = false;
    for (const int x : {column, column + 1})
        for (const int y : {row, row + 1}) {
            inner = inner || x * x + y * y < rr;
            outer = outer || x * x + y * y > rr;
        }
    return !outer ? Kind::Inside : inner ? Kind::Cut : Kind::Outside;
}

} // namespace

SquaredPaper::Count SquaredPaper::count(int radiusSquares)
{
    Count c;
    for (int row = -radiusSquares; row < radiusSquares; ++row)
        for (int column = -radiusSquares; column < radiusSquares; ++column) {
            const Kind kind = kindOf(column, row, radiusSquares);
            c.inside += kind == Kind::Inside ? 1 : 0;
            c.cut += kind == Kind::Cut ? 1 : 0;
        }
    return c;
}

SquaredPaper::SquaredPaper(const Similarity &circle, int radiusSquares)
    : m_centre(circle.origin), m_radiusSquares(radiusSquares),
      m_squarePx(radiusSquares > 0 ? circle.scale / radiusSquares : 0)
{
}

bool SquaredPaper::drawable() const { return m_squarePx >= kSmallestSquarePx && m_centre.isFinite(); }

// A row's squares of one kind side by side go as one box: a few dozen boxes
// however large the picture.
void SquaredPaper::paintTints(DrawOps &ops) const
{
    if (!drawable())
        return;
    const int n = m_radiusSquares;
    for (int row = -n; row < n; ++row) {
        const double top = m_centre.y() + row * m_squarePx;
        int column = -n;
        while (column < n) {
            const Kind kind = kindOf(column, row, n);
            int end = column + 1;
            while (end < n && kindOf(end, row, n) == kind)
                ++end;
            if (kind != Kind::Outside)
                ops.Box(RectF(m_centre.x() + column * m_squarePx, top, (end - column) * m_squarePx, m_squarePx),
                        kind == Kind::Inside ? kInsideColor : kCutColor);
            column = end;
        }
    }
}

// Each line is a box a line's width wide: they all run across the picture,
// and a filled box costs a fraction of a stroked line.
void SquaredPaper::paintLines(DrawOps &ops, LineWeight weight) const
{
    if (!drawable())
        return;
    const double width = weight.px(kLineWidthPx);
    // Integer coordinates are pixel centres: the box spans half a width either side.
    const double w = ops.ScaleWidth(), h = ops.ScaleHeight(), half = width / 2;
    for (int k = int(std::ceil(-m_centre.x() / m_squarePx)); m_centre.x() + k * m_squarePx <= w - 1; ++k)
        ops.Box(RectF(m_centre.x() + k * m_squarePx - half, -half, width, h), kLineColor, true);
    for (int k = int(std::ceil(-m_centre.y() / m_squarePx)); m_centre.y() + k * m_squarePx <= h - 1; ++k)
        ops.Box(RectF(-half, m_centre.y() + k * m_squarePx - half, w, width), kLineColor, true);
}

} // namespace core
