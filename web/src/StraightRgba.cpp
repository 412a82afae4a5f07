#include "StraightRgba.h"

#include <algorithm>
#include <array>

namespace StraightRgba {

namespace {

constexpr unsigned kChannelMax = 255;
constexpr unsigned kLevels = 256;
constexpr int kAlphaShift = 24, kBlueShift = 16, kGreenShift = 8;
// Dividing by alpha is multiplying by a reciprocal scaled by 2^24: for the
// numerators here (under 2^16) that gives the exact quotient.
constexpr int kReciprocalShift = 24;

// A smoothed edge is most of a page of ink, and a division a channel costs
// more than the rest of the conversion.
const std::array<std::uint64_t, kLevels> &reciprocals()
{
    static const auto table = [] {
        std::array<std::uint64_t, kLevels> t{};
        for (unsigned alpha = 1; alpha < kLevels; ++alpha)
            t[alpha] = ((std::uint64_t(1) << kReciprocalShift) + alpha - 1) / alpha;
        return t;
    }();
    return table;
}

// One pixel as the bytes R, G, B, A in memory (a little-endian word).
std::uint32_t straight(core::Rgba p)
{
    const unsigned alpha = core::alphaOf(p);
    if (alpha == kChannelMax)
        return (p & 0xff00ff00u) | ((p >> kBlueShift) & 0xffu) | ((p & 0xffu) << kBlueShift);
    if (alpha == 0)
        return 0;
    const std::uint64_t reciprocal = reciprocals()[alpha];
    const auto channel = [alpha, reciprocal](int c) {
        const std::uint64_t rounded = std::uint64_t(c) * kChannelMax + alpha / 2;
        return std::min(kChannelMax, unsigned((rounded * reciprocal) >> kReciprocalShift));
    };
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
