#include "StraightRgba.h"

#include <algorithm>

namespace StraightRgba {

namespace {

constexpr unsigned kChannelMax = 255;
constexpr unsigned kLevels = 256;
constexpr int kAlphaShift = 24, kBlueShift = 16, kGreenShift = 8;

// Every channel divided by every alpha, rounded: a smoothed edge is most of a
// page of ink, and a division a channel costs more than the rest of the
// conversion. Made when first needed, so the module does not carry it.
const std::uint8_t *straightChannels()
{
    static const std::uint8_t *table = [] {
        auto *t = new std::uint8_t[kLevels * kLevels]();
        for (unsigned alpha = 1; alpha < kLevels; ++alpha)
            for (unsigned c = 0; c < kLevels; ++c)
                t[alpha * kLevels + c] = std::uint8_t(std::min(kChannelMax, (c * kChannelMax + alpha / 2) / alpha));
        return t;
    }();
    return table;
}

// One pixel as the bytes R, G, B, A in memory (a little-endian word).
std::uint32_t straight(core::Rgba p, const std::uint8_t *channels)
{
    if (p == 0)
        return 0;
    const unsigned alpha = core::alphaOf(p);
    if (alpha == kChannelMax)
        return (p & 0xff00ff00u) | ((p >> kBlueShift) & 0xffu) | ((p & 0xffu) << kBlueShift);
    const std::uint8_t *row = channels + alpha * kLevels;
    return (alpha << kAlphaShift) | (unsigned(row[core::blueOf(p)]) << kBlueShift) |
           (unsigned(row[core::greenOf(p)]) << kGreenShift) | row[core::redOf(p)];
}

} // namespace

std::size_t convert(const core::PixelBuffer &pixels, const core::Rect &area, std::vector<std::uint32_t> &out)
{
    const core::Rect r = area & pixels.rect();
    const std::size_t count = r.isEmpty() ? 0 : std::size_t(r.width()) * std::size_t(r.height());
    if (out.size() < count)
        out.resize(count);
    const std::uint8_t *channels = straightChannels();
    std::uint32_t *to = out.data();
    for (int y = r.top(); y <= r.bottom() && count > 0; ++y)
        to = std::transform(pixels.row(y) + r.left(), pixels.row(y) + r.left() + r.width(), to,
                            [channels](core::Rgba p) { return straight(p, channels); });
    return count;
}

} // namespace StraightRgba
