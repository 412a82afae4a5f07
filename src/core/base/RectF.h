#pragma once

#include "PointF.h"
#include "Rect.h"

#include <algorithm>
#include <cmath>

namespace core {

// A rectangle in real coordinates. A rectangle of no width and no height is
// null: it adds nothing to a union.
class RectF
{
public:
    constexpr RectF() = default;
    constexpr RectF(double x, double y, double width, double height) : m_x(x), m_y(y), m_width(width), m_height(height) {}
    constexpr RectF(PointF topLeft, PointF bottomRight)
        : RectF(topLeft.x(), topLeft.y(), bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y())
    {
    }
    constexpr RectF(const Rect &r) : RectF(r.x(), r.y(), r.width(), r.height()) {}

    constexpr double x() const { return m_x; }
    constexpr double y() const { return m_y; }
    constexpr double left() const { return m_x; }
    constexpr double top() const { return m_y; }
    constexpr double width() const { return m_width; }
    constexpr double height() const { return m_height; }
    constexpr double right() const { return m_x + m_width; }
    constexpr double bottom() const { return m_y + m_height; }
    constexpr PointF topLeft() const { return {m_x, m_y}; }
    constexpr PointF bottomRight() const { return {right(), bottom()}; }
    constexpr PointF center() const { return {m_x + m_width / 2, m_y + m_height / 2}; }
    constexpr bool isNull() const { return m_width == 0 && m_height == 0; }
    constexpr bool isEmpty() const { return !(m_width > 0) || !(m_height > 0); }

    constexpr RectF normalized() const
    {
        RectF r = *this;
        if (r.m_width < 0) {
            r.m_x += r.m_width;
            r.m_width = -r.m_width;
        }
        if (r.m_height < 0) {
            r.m_y += r.m_height;
            r.m_height = -r.m_height;
        }
        return r;
    }
    constexpr RectF adjusted(double dx1, double dy1, double dx2, double dy2) const
    {
        return {m_x + dx1, m_y + dy1, m_width - dx1 + dx2, m_height - dy1 + dy2};
    }
    constexpr RectF translated(PointF by) const { return {m_x + by.x(), m_y + by.y(), m_width, m_height}; }
    // Both rectangles have area and overlap by more than an edge.
    constexpr bool intersects(const RectF &r) const
    {
        const RectF a = normalized(), b = r.normalized();
        if (a.m_width == 0 || a.m_height == 0 || b.m_width == 0 || b.m_height == 0)
            return false;
        return a.m_x < b.right() && b.m_x < a.right() && a.m_y < b.bottom() && b.m_y < a.bottom();
    }
    constexpr bool contains(const RectF &r) const
    {
        const RectF a = normalized(), b = r.normalized();
        if (a.m_width == 0 || a.m_height == 0 || b.m_width == 0 || b.m_height == 0)
            return false;
        return b.m_x >= a.m_x && b.right() <= a.right() && b.m_y >= a.m_y && b.bottom() <= a.bottom();
    }
    constexpr RectF united(const RectF &r) const
    {
        if (isNull())
            return r;
        if (r.isNull())
            return *this;
        const RectF a = normalized(), b = r.normalized();
        const double l = std::min(a.m_x, b.m_x), t = std::min(a.m_y, b.m_y);
        return {l, t, std::max(a.right(), b.right()) - l, std::max(a.bottom(), b.bottom()) - t};
    }
    // The whole pixels that the rectangle touches.
    Rect toAlignedRect() const
    {
        const double l = std::floor(m_x), t = std::floor(m_y);
        const double r = std::ceil(m_x + m_width), b = std::ceil(m_y + m_height);
        return {int(l), int(t), int(r - l), int(b - t)};
    }
    constexpr bool operator==(const RectF &) const = default;

private:
    double m_x = 0;
    double m_y = 0;
    double m_width = 0;
    double m_height = 0;
};

} // namespace core
