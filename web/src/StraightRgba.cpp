#include "StraightRgba.h"

#include <algorithm>

namespace StraightRgba {

namespace {
constexpr unsigned kChannelMax = 255;
constexpr int kBytesPerPixel = 4;
} // namespace

void convert(const core::PixelBuffer &pixels, const core::Rect &area, std::vector<std::uint8_t> &out)
{
    const core::Rect r = area & pixels.rect();
    out.assign(std::size_t(std::max(0, r.width())) * std::size_t(std::max(0, r.height())) * kBytesPerPixel, 0);
    std::uint8_t *to = out.data();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (const core::Rgba *p = pixels.row(y) + r.left(), *end = p + r.width(); p != end; ++p, to += kBytesPerPixel) {
            const unsigned alpha = core::alphaOf(*p);
            if (alpha == 0)
                continue;
            const auto straight = [alpha](int channel) {
                return std::uint8_t(std::min(kChannelMax, (unsigned(channel) * kChannelMax + alpha / 2) / alpha));
            };
            to[0] = straight(core::redOf(*p));
            to[1] = straight(core::greenOf(*p));
            to[2] = straight(core::blueOf(*p));
            to[3] = std::uint8_t(alpha);
        }
}

} // namespace StraightRgba
