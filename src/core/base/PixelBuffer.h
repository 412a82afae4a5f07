#pragma once

#include "Color.h"
#include "Rect.h"
#include "Size.h"

#include <cstddef>
#include <vector>

namespace core {

// Pixels in rows, each a premultiplied Rgba (alpha in the top byte): the layout
// a front-end can show without converting it (Qt's ARGB32_Premultiplied).
class PixelBuffer
{
public:
    PixelBuffer() = default;
    PixelBuffer(Size size, Rgba fill = 0);

    int width() const { return m_size.width(); }
    int height() const { return m_size.height(); }
    Size size() const { return m_size; }
    Rect rect() const { return {Point(), m_size}; }
    bool isNull() const { return m_pixels.empty(); }
    // Pixels from one row to the next.
    std::size_t stride() const { return std::size_t(m_size.width()); }
    std::size_t sizeInBytes() const { return m_pixels.size() * sizeof(Rgba); }

    Rgba *row(int y) { return m_pixels.data() + std::size_t(y) * stride(); }
    const Rgba *row(int y) const { return m_pixels.data() + std::size_t(y) * stride(); }
    Rgba pixel(int x, int y) const { return row(y)[x]; }
    Rgba *data() { return m_pixels.data(); }
    const Rgba *data() const { return m_pixels.data(); }

    void fill(Rgba value);
    // `area` (clipped to the buffer) in one value.
    void fill(const Rect &area, Rgba value);
    // A copy of `area`, clipped to the buffer; or into a buffer whose memory it reuses.
    PixelBuffer copy(const Rect &area) const;
    void copy(const Rect &area, PixelBuffer &into) const;
    bool operator==(const PixelBuffer &) const = default;

private:
    Size m_size;
    std::vector<Rgba> m_pixels;
};

} // namespace core
