#include "PixelBuffer.h"

#include <algorithm>

namespace core {

PixelBuffer::PixelBuffer(Size size, Rgba fill)
    : m_size(size.isEmpty() ? Size() : size), m_pixels(std::size_t(m_size.width()) * std::size_t(m_size.height()), fill)
{
}

void PixelBuffer::fill(Rgba value) { std::fill(m_pixels.begin(), m_pixels.end(), value); }

void PixelBuffer::fill(const Rect &area, Rgba value)
{
    const Rect r = area & rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        std::fill_n(row(y) + r.left(), r.width(), value);
}

PixelBuffer PixelBuffer::copy(const Rect &area) const
{
    const Rect r = area & rect();
    PixelBuffer out(r.size());
    for (int y = 0; y < r.height(); ++y)
        std::copy_n(row(r.top() + y) + r.left(), r.width(), out.row(y));
    return out;
}

void PixelBuffer::copy(const Rect &area, PixelBuffer &into) const
{
    const Rect r = area & rect();
    into.m_size = r.size();
    into.m_pixels.resize(std::size_t(r.width()) * std::size_t(r.height()));
    for (int y = 0; y < r.height(); ++y)
        std::copy_n(row(r.top() + y) + r.left(), r.width(), into.row(y));
}

} // namespace core
