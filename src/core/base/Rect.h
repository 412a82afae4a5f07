#pragma once

#include "Point.h"
#include "Size.h"

#include <algorithm>

namespace core {

// A rectangle of whole pixels: its left and top pixel and its width and height.
// right() and bottom() name the last pixel inside, as on a pixel grid.
class Rect
{
public:
    constexpr Rect() = default;
    constexpr Rect(int x, int y, int width, int height) : m_x(x), m_y(y), m_width(width), m_height(height) {}
    constexpr Rect(Point topLeft, Size size) : Rect(topLeft.x(), topLeft.y(), size.width(), size.height()) {}
    // From the first to the last pixel inside.
    static constexpr Rect fromCorners(Point topLeft, Point bottomRight)
    {
        return {topLeft.x(), topLeft.y(), bottomRight.x() - topLeft.x() + 1, bottomRight.y() - topLeft.y() + 1};
    }

    constexpr int x() const { return m_x; }
    constexpr int y() const { return m_y; }
    constexpr int left() const { return m_x; }
    constexpr int top() const { return m_y; }
    constexpr int width() const { return m_width; }
    constexpr int height() const { return m_height; }
    constexpr int right() const { return m_x + m_width - 1; }
    constexpr int bottom() const { return m_y + m_height - 1; }
    constexpr Point topLeft() const { return {m_x, m_y}; }
    constexpr Size size() const { return {m_width, m_height}; }
    constexpr bool isEmpty() const { return m_width <= 0 || m_height <= 0; }

    constexpr Rect translated(Point by) const { return {m_x + by.x(), m_y + by.y(), m_width, m_height}; }
    constexpr Rect adjusted(int dx1, int dy1, int dx2, int dy2) const
    {
        return {m_x + dx1, m_y + dy1, m_width - dx1 + dx2, m_height - dy1 + dy2};
    }
    constexpr bool contains(Point p) const
    {
        return !isEmpty() && p.x() >= m_x && p.x() <= right() && p.y() >= m_y && p.y() <= bottom();
    }
    constexpr bool contains(const Rect &r) const
    {
        return !isEmpty() && !r.isEmpty() && r.m_x >= m_x && r.right() <= right() && r.m_y >= m_y &&
               r.bottom() <= bottom();
    }
    constexpr bool intersects(const Rect &r) const { return !(*this & r).isEmpty(); }

    // Where both lie; empty when they do not meet.
    constexpr Rect operator&(const Rect &r) const
    {
        if (isEmpty() || r.isEmpty())
            return {};
        const int l = std::max(m_x, r.m_x), t = std::max(m_y, r.m_y);
        const int rt = std::min(right(), r.right()), b = std::min(bottom(), r.bottom());
        if (l > rt || t > b)
            return {};
        return fromCorners({l, t}, {rt, b});
    }
    // The smallest rectangle holding both; an empty one adds nothing.
    constexpr Rect operator|(const Rect &r) const
    {
        if (isEmpty())
            return r;
        if (r.isEmpty())
            return *this;
        return fromCorners({std::min(m_x, r.m_x), std::min(m_y, r.m_y)},
                           {std::max(right(), r.right()), std::max(bottom(), r.bottom())});
    }
    constexpr Rect &operator&=(const Rect &r) { return *this = *this & r; }
    constexpr Rect &operator|=(const Rect &r) { return *this = *this | r; }
    constexpr bool operator==(const Rect &) const = default;

private:
    int m_x = 0;
    int m_y = 0;
    int m_width = 0;
    int m_height = 0;
};

} // namespace core
