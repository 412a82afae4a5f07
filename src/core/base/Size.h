#pragma once

#include <algorithm>

namespace core {

// A width and a height in whole pixels.
class Size
{
public:
    constexpr Size() = default;
    constexpr Size(int width, int height) : m_width(width), m_height(height) {}

    constexpr int width() const { return m_width; }
    constexpr int height() const { return m_height; }
    constexpr bool isEmpty() const { return m_width <= 0 || m_height <= 0; }
    constexpr Size expandedTo(Size s) const { return {std::max(m_width, s.m_width), std::max(m_height, s.m_height)}; }
    constexpr Size operator-(Size s) const { return {m_width - s.m_width, m_height - s.m_height}; }
    constexpr bool operator==(const Size &) const = default;

private:
    int m_width = 0;
    int m_height = 0;
};

} // namespace core
