#include "StraightRgba.h"

#include <algorithm>

namespace StraightRgba {

namespace {

constexpr unsigned kChannelMax = 255;
constexpr int kAlphaShift = 24, kBlueShift = 16, kGreenShift = 8;

// One pixel as the bytes R, G, B, A in memory (a little-endian word).
std::uint32_t straight(core::Rgba p)
{
    const unsigned alpha = core::alphaOf(p);
    if (alpha == kChannelMax)
        return (p & 0xff00ff00u) | ((p >> kBlueShift) & 0xffu) | ((p & 0xffu) << kBlueShift);
    if (alpha == 0)
        return 0;
    const auto channel = [alpha](int c) { return std::min(kChannelMax, (unsigned(c) * kChannelMax + alpha / 2) / alpha); };
    return (alpha << kAlphaShift) | (channel(core::blueOf(p)) << kBlueShift) | (channel(core::greenOf(p)) << kGreenShift) |
           channel(core::redOf(p));
}

} // namespace

std::size_t convert(const core::PixelBuffer &pixels, const core::Rect &area, std::vector<std::uint32_t> &out)
{
    const core::Rect r = area & pixels.rect();
    const std::size_t count = r.isEmpty() ? 0 : std::size_t(r.width()) * std::size_t(r.height());
    if (out.size() < count)
        out.resize(count);
    std::uint32_t *to = out.data();
    for (int y = r.top(); y <= r.bottom() && count > 0; ++y)
        to = std::transform(pixels.row(y) + r.left(), pixels.row(y) + r.left() + r.width(), to, straight);
    return count;
}

} // namespace StraightRgba
