#pragma once

#include "Point.h"

#include <cmath>

namespace core {

// A point in real coordinates, x to the right and y downwards.
class PointF
{
public:
    constexpr PointF() = default;
    constexpr PointF(double x, double y) : m_x(x), m_y(y) {}
    constexpr PointF(Point p) : m_x(p.x()), m_y(p.y()) {}

    constexpr double x() const { return m_x; }
    constexpr double y() const { return m_y; }
    constexpr void setX(double x) { m_x = x; }
    constexpr void setY(double y) { m_y = y; }
    constexpr double &rx() { return m_x; }
    constexpr double &ry() { return m_y; }

    constexpr PointF operator+(PointF p) const { return {m_x + p.m_x, m_y + p.m_y}; }
    constexpr PointF operator-(PointF p) const { return {m_x - p.m_x, m_y - p.m_y}; }
    constexpr PointF operator-() const { return {-m_x, -m_y}; }
    constexpr PointF operator*(double f) const { return {m_x * f, m_y * f}; }
    constexpr PointF operator/(double f) const { return {m_x / f, m_y / f}; }
    constexpr PointF &operator+=(PointF p) { return *this = *this + p; }
    constexpr PointF &operator-=(PointF p) { return *this = *this - p; }
    constexpr bool operator==(const PointF &) const = default;
    friend constexpr PointF operator*(double f, PointF p) { return p * f; }

    static constexpr double dotProduct(PointF a, PointF b) { return a.m_x * b.m_x + a.m_y * b.m_y; }
    double length() const { return std::hypot(m_x, m_y); }
    bool isFinite() const { return std::isfinite(m_x) && std::isfinite(m_y); }

private:
    double m_x = 0;
    double m_y = 0;
};

} // namespace core
