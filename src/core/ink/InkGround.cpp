#include "InkGround.h"

#include "PenPalette.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace core {

namespace {

constexpr int kMostColours = 64;
// However large the picture, its index stays this many cells a side at most.
constexpr int kMostCellsASide = 64;
constexpr double kHalfTurnDegrees = 180;
constexpr double kRadiansPerDegree = std::numbers::pi / kHalfTurnDegrees;

double cross(PointF a, PointF b) { return a.x() * b.y() - a.y() * b.x(); }

bool inside(const RectF &r, PointF p)
{
    return p.x() >= r.left() && p.x() <= r.right() && p.y() >= r.top() && p.y() <= r.bottom();
}

PointF direction(double degrees)
{
    return {std::cos(degrees * kRadiansPerDegree), std::sin(degrees * kRadiansPerDegree)};
}

} // namespace

InkGround::InkGround(const DrawList &picture, PointF origin)
{
    for (const DrawList::Call &call : picture.calls) {
        if (const BoxCall *b = std::get_if<BoxCall>(&call)) {
            const RectF r = b->rect.translated(origin);
            if (r.width() >= kThinnestFillPx && r.height() >= kThinnestFillPx) {
                Fill f;
                f.bounds = r;
                add(f, b->fill);
            }
        } else if (const CircleCall *c = std::get_if<CircleCall>(&call); c && c->fill && c->radius > 0) {
            Fill f;
            f.box = false;
            f.centre = c->centre + origin;
            f.radius = c->radius;
            f.bounds = RectF(f.centre.x() - c->radius, f.centre.y() - c->radius, 2 * c->radius, 2 * c->radius);
            f.whole = c->shape.whole || c->shape.sweepDegrees >= 2 * kHalfTurnDegrees;
            f.wide = c->shape.sweepDegrees > kHalfTurnDegrees;
            f.start = direction(c->shape.startDegrees);
            f.end = direction(c->shape.startDegrees + c->shape.sweepDegrees);
            add(f, *c->fill);
        }
    }
    index();
}

void InkGround::add(Fill fill, const Color &colour)
{
    const RectF &b = fill.bounds;
    if (!std::isfinite(b.left()) || !std::isfinite(b.top()) || !std::isfinite(b.right()) || !std::isfinite(b.bottom()))
        return;
    const auto known = std::find(m_colours.begin(), m_colours.end(), colour.rgb());
    if (known == m_colours.end() && m_colours.size() == kMostColours)
        return;
    fill.colour = int(known - m_colours.begin());
    if (known == m_colours.end())
        m_colours.push_back(colour.rgb());
    m_fills.push_back(fill);
}

void InkGround::index()
{
    if (m_fills.empty())
        return;
    for (const PenPalette::Pen &pen : PenPalette::pens())
        m_pensHiding.push_back(work(pen.colour.rgb()));
    m_bounds = m_fills.front().bounds;
    for (const Fill &f : m_fills)
        m_bounds = m_bounds.united(f.bounds);
    m_cellPx = std::max({kCellPx, m_bounds.width() / kMostCellsASide, m_bounds.height() / kMostCellsASide});
    m_columns = std::max(1, int(std::ceil(m_bounds.width() / m_cellPx)));
    m_rows = std::max(1, int(std::ceil(m_bounds.height() / m_cellPx)));
    // Counted first, then filled: one allocation for every cell.
    m_cellStarts.assign(std::size_t(m_columns) * std::size_t(m_rows) + 1, 0);
    const auto eachCell = [this](const RectF &r, auto f) {
        const auto [left, right, top, bottom] = cellsOf(r);
        for (int row = top; row <= bottom; ++row)
            for (int column = left; column <= right; ++column)
                f(std::size_t(row) * std::size_t(m_columns) + std::size_t(column));
    };
    for (const Fill &f : m_fills)
        eachCell(f.bounds, [this](std::size_t cell) { ++m_cellStarts[cell + 1]; });
    for (std::size_t c = 1; c < m_cellStarts.size(); ++c)
        m_cellStarts[c] += m_cellStarts[c - 1];
    m_inCells.resize(std::size_t(m_cellStarts.back()));
    std::vector<int> filled(m_cellStarts.begin(), m_cellStarts.end() - 1);
    for (int i = 0; i < int(m_fills.size()); ++i)
        eachCell(m_fills[std::size_t(i)].bounds, [&](std::size_t cell) { m_inCells[std::size_t(filled[cell]++)] = i; });
}

std::array<int, 4> InkGround::cellsOf(const RectF &r) const
{
    const auto column = [this](double x) {
        return int(std::clamp((x - m_bounds.left()) / m_cellPx, 0.0, double(m_columns - 1)));
    };
    const auto row = [this](double y) { return int(std::clamp((y - m_bounds.top()) / m_cellPx, 0.0, double(m_rows - 1))); };
    return {column(r.left()), column(r.right()), row(r.top()), row(r.bottom())};
}

std::uint64_t InkGround::hiding(Rgba pen) const
{
    const auto &pens = PenPalette::pens();
    for (std::size_t i = 0; i < m_pensHiding.size(); ++i)
        if (pens[i].colour.rgb() == (pen | 0xff000000u))
            return m_pensHiding[i];
    return work(pen);
}

std::uint64_t InkGround::work(Rgba pen) const
{
    const Color colour = Color::fromRgba(pen | 0xff000000u);
    std::uint64_t hidden = 0;
    for (std::size_t i = 0; i < m_colours.size(); ++i)
        if (PenPalette::contrastRatio(colour, Color::fromRgba(m_colours[i])) < kReadableContrast)
            hidden |= std::uint64_t(1) << i;
    return hidden;
}

bool InkGround::hides(std::uint64_t hidden, const RectF &logical) const
{
    if (hidden == 0)
        return false;
    return std::any_of(m_fills.begin(), m_fills.end(), [&](const Fill &f) {
        return ((hidden >> f.colour) & 1u) && f.bounds.intersects(logical);
    });
}

int InkGround::colourAt(PointF p) const
{
    if (m_fills.empty() || !inside(m_bounds, p))
        return -1;
    const auto [column, right, row, bottom] = cellsOf(RectF(p.x(), p.y(), 0, 0));
    const std::size_t cell = std::size_t(row) * std::size_t(m_columns) + std::size_t(column);
    for (int i = m_cellStarts[cell + 1] - 1; i >= m_cellStarts[cell]; --i)
        if (const Fill &f = m_fills[std::size_t(m_inCells[std::size_t(i)])]; f.contains(p))
            return f.colour;
    return -1;
}

// Angles run counter-clockwise on the screen, so y is turned up to measure them.
bool InkGround::Fill::contains(PointF p) const
{
    if (!inside(bounds, p))
        return false;
    if (box)
        return true;
    const PointF v(p.x() - centre.x(), centre.y() - p.y());
    if (PointF::dotProduct(v, v) > radius * radius)
        return false;
    if (whole)
        return true;
    if (!wide)
        return cross(start, v) >= 0 && cross(v, end) >= 0;
    return !(cross(end, v) > 0 && cross(v, start) > 0);
}

} // namespace core
