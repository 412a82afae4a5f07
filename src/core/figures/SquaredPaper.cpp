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

// Rows grow downwards: the first quarter is above the centre and right of it.
int quarterOf(int column, int row)
{
    if (row < 0)
        return column >= 0 ? 0 : 1;
    return column < 0 ? 2 : 3;
}

Kind countedKind(int column, int row, int radiusSquares, int quarters)
{
    return quarterOf(column, row) < quarters ? kindOf(column, row, radiusSquares) : Kind::Outside;
}

} // namespace

SquaredPaper::Count SquaredPaper::count(int radiusSquares, int quarters)
{
    Count c;
    for (int row = -radiusSquares; row < radiusSquares; ++row)
        for (int column = -radiusSquares; column < radiusSquares; ++column) {
            const Kind kind = countedKind(column, row, radiusSquares, quarters);
            c.inside += kind == Kind::Inside ? 1 : 0;
            c.cut += kind == Kind::Cut ? 1 : 0;
        }
    return c;
}

SquaredPaper::SquaredPaper(const Similarity &circle, int radiusSquares, int quarters)
    : m_centre(circle.origin), m_radiusSquares(radiusSquares), m_quarters(quarters),
      m_squarePx(radiusSquares > 0 ? circle.scale / radiusSquares : 0)
{
}

bool SquaredPaper::drawable() const { return m_squarePx >= kSmallestSquarePx && m_centre.isFinite(); }

// A row's squares of one kind side by side go as one box: a few dozen boxes
// however large the picture.
void SquaredPaper::paintTints(DrawOps &ops, bool cut) const
{
    if (!drawable())
        return;
    const int n = m_radiusSquares;
    const auto shown = [&](int column, int row) {
        const Kind kind = countedKind(column, row, n, m_quarters);
        return kind == Kind::Cut && !cut ? Kind::Outside : kind;
    };
    for (int row = -n; row < n; ++row) {
        const double top = m_centre.y() + row * m_squarePx;
        int column = -n;
        while (column < n) {
            const Kind kind = shown(column, row);
            int end = column + 1;
            while (end < n && shown(end, row) == kind)
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
