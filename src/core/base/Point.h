#pragma once

namespace core {

// A point on the pixel grid, x to the right and y downwards.
class Point
{
public:
    constexpr Point() = default;
    constexpr Point(int x, int y) : m_x(x), m_y(y) {}

    constexpr int x() const { return m_x; }
    constexpr int y() const { return m_y; }
    constexpr void setX(int x) { m_x = x; }
    constexpr void setY(int y) { m_y = y; }

    constexpr Point operator+(Point p) const { return {m_x + p.m_x, m_y + p.m_y}; }
    constexpr Point operator-(Point p) const { return {m_x - p.m_x, m_y - p.m_y}; }
    constexpr Point &operator+=(Point p) { return *this = *this + p; }
    constexpr bool operator==(const Point &) const = default;

private:
    int m_x = 0;
    int m_y = 0;
};

} // namespace core
