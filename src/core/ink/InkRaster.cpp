#include "InkRaster.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace core {

namespace {

// Ramp of the anti-aliased edge, in pixels on each side of the radius.
constexpr double kEdgePx = 0.5;
// A segment this many radii long gets per-row limits instead of its bounding box.
constexpr float kLongInRadii = 4;
// Coordinates are clamped here before they become integers: far beyond any screen.
constexpr double kFarPx = 1 << 24;

int clampedFloor(double v) { return int(std::floor(std::clamp(v, -kFarPx, kFarPx))); }
int clampedCeil(double v) { return int(std::ceil(std::clamp(v, -kFarPx, kFarPx))); }

// x / 255 rounded, exact for the products of two bytes.
inline std::uint32_t div255(std::uint32_t x)
{
    x += 128;
    return (x + (x >> 8)) >> 8;
}

} // namespace

namespace InkRaster {

Rect reach(PointF a, PointF b, double radiusPx)
{
    const double r = radiusPx + kEdgePx;
    const int left = clampedFloor(std::min(a.x(), b.x()) - r);
    const int top = clampedFloor(std::min(a.y(), b.y()) - r);
    const int right = clampedCeil(std::max(a.x(), b.x()) + r);
    const int bottom = clampedCeil(std::max(a.y(), b.y()) + r);
    return Rect::fromCorners(Point(left, top), Point(right, bottom));
}

void capsule(CoverageMask &mask, PointF a, PointF b, double radiusPx, double edgePx)
{
    const Rect box = reach(a, b, radiusPx) & mask.rect();
    if (box.isEmpty() || !(radiusPx > 0))
        return;
    const bool edged = edgePx > 0;
    // Edged coverage is 255 × (radius + ½ − distance) / band, one step per level.
    const float band = float(edgePx + 2 * kEdgePx);
    const float perPx = 255.0f / band;

    // Pixel centres are at +½. Work relative to a in single precision: the
    // mask is at most a few thousand pixels across.
    const float outer = float(radiusPx + kEdgePx);
    const float inner = float(std::max(0.0, radiusPx - kEdgePx));
    const float outer2 = outer * outer;
    const float ramp = 255.0f / (outer2 - inner * inner);
    const float ax = float(a.x()), ay = float(a.y());
    const float dx = float(b.x() - a.x()), dy = float(b.y() - a.y());
    const float length2 = dx * dx + dy * dy;
    const float invLength2 = length2 > 0 ? 1.0f / length2 : 0.0f;

    // A long segment's bounding box is mostly empty: each row is limited to the
    // band around the line, widened by a pixel.
    const bool limitRows = length2 > kLongInRadii * kLongInRadii * outer2 && std::fabs(dy) > 0;
    float nx = 0, ny = 0;
    if (limitRows) {
        const float length = std::sqrt(length2);
        nx = -dy / length;
        ny = dx / length;
    }

    for (int y = box.top(); y <= box.bottom(); ++y) {
        const float ey = float(y) + 0.5f - ay;
        int left = box.left(), right = box.right();
        if (limitRows && std::fabs(nx) > 1e-3f) {
            const float across = ny * ey;
            const float x1 = (-outer - across) / nx, x2 = (outer - across) / nx;
            left = std::max(left, clampedFloor(double(ax + std::min(x1, x2)) - 1));
            right = std::min(right, clampedCeil(double(ax + std::max(x1, x2)) + 1));
        }
        if (left > right)
            continue;
        mask.touch(y, left, right);
        std::uint8_t *out = mask.row(y) + (left - mask.rect().x());
        const float eyDy = ey * dy;
        const float exLeft = float(left) + 0.5f - ax;
        if (edged) {
            for (int i = 0; i <= right - left; ++i) {
                const float ex = exLeft + float(i);
                const float t = std::clamp((ex * dx + eyDy) * invLength2, 0.0f, 1.0f);
                const float fx = ex - t * dx, fy = ey - t * dy;
                const float c = std::clamp((outer - std::sqrt(fx * fx + fy * fy)) * perPx, 0.0f, 255.0f);
                out[i] = std::max(out[i], std::uint8_t(int(c + 0.5f)));
            }
            continue;
        }
        // Branch-free so the compiler can vectorise it.
        for (int i = 0; i <= right - left; ++i) {
            const float ex = exLeft + float(i);
            float t = (ex * dx + eyDy) * invLength2;
            t = t < 0.0f ? 0.0f : t;
            t = t > 1.0f ? 1.0f : t;
            const float fx = ex - t * dx, fy = ey - t * dy;
            float c = (outer2 - (fx * fx + fy * fy)) * ramp;
            c = c < 0.0f ? 0.0f : c;
            c = c > 255.0f ? 255.0f : c;
            const std::uint8_t v = std::uint8_t(int(c + 0.5f));
            out[i] = out[i] > v ? out[i] : v;
        }
    }
}

Surface Surface::of(PixelBuffer &buffer, Point origin)
{
    return {buffer.data(), buffer.stride(), buffer.rect().translated(origin)};
}

Rgba over(Rgba d, Rgba color, std::uint32_t c)
{
    const std::uint32_t keep = 255 - c;
    return packRgba(int(div255(std::uint32_t(redOf(color)) * c + redOf(d) * keep)),
                    int(div255(std::uint32_t(greenOf(color)) * c + greenOf(d) * keep)),
                    int(div255(std::uint32_t(blueOf(color)) * c + blueOf(d) * keep)),
                    int(div255(255 * c + alphaOf(d) * keep)));
}

void composite(const Surface &surface, const CoverageMask &mask, Rgba color, const Rect &clip)
{
    const Rect area = mask.rect() & clip & surface.rect;
    if (area.isEmpty())
        return;
    const std::uint32_t r = redOf(color), g = greenOf(color), b = blueOf(color);
    const Rgba solid = packRgba(int(r), int(g), int(b));
    const Point imageOrigin = surface.rect.topLeft();
    Rgba *bits = surface.bits;
    const std::size_t stride = surface.stride;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto [first, last] = mask.span(y);
        const int left = std::max(first, area.left()), right = std::min(last, area.right());
        if (left > right)
            continue;
        const std::uint8_t *cover = mask.row(y) + (left - mask.rect().x());
        Rgba *dst = bits + std::size_t(y - imageOrigin.y()) * stride + std::size_t(left - imageOrigin.x());
        for (int i = 0; i <= right - left; ++i) {
            const std::uint32_t c = cover[i];
            if (c == 0)
                continue;
            if (c == 255) {
                dst[i] = solid;
                continue;
            }
            const std::uint32_t keep = 255 - c;
            const Rgba d = dst[i];
            dst[i] = packRgba(int(div255(r * c + redOf(d) * keep)), int(div255(g * c + greenOf(d) * keep)),
                              int(div255(b * c + blueOf(d) * keep)), int(div255(255 * c + alphaOf(d) * keep)));
        }
    }
}

void compositeEdged(const Surface &surface, const CoverageMask &mask, Rgba color, Rgba edge, double edgePx,
                    const Rect &clip)
{
    const Rect area = mask.rect() & clip & surface.rect;
    if (area.isEmpty() || !(edgePx > 0))
        return;
    // Each coverage level is a depth into the stroke: within the outer pixel it
    // fades in, past the rim it turns from the edge's colour to the pen's.
    constexpr int kLevels = 256;
    const double band = edgePx + 2 * kEdgePx;
    std::array<Rgba, kLevels> premultiplied{};
    std::array<std::uint32_t, kLevels> keep{};
    for (int v = 1; v < kLevels; ++v) {
        const double depth = v * band / (kLevels - 1);
        const double alpha = std::clamp(depth, 0.0, 1.0);
        const double pen = std::clamp(depth - edgePx, 0.0, 1.0);
        const auto channel = [&](int of, int to) { return int(std::lround(alpha * (to + (of - to) * pen))); };
        premultiplied[std::size_t(v)] =
            packRgba(channel(redOf(color), redOf(edge)), channel(greenOf(color), greenOf(edge)),
                     channel(blueOf(color), blueOf(edge)), int(std::lround(alpha * 255)));
        keep[std::size_t(v)] = std::uint32_t(255 - alphaOf(premultiplied[std::size_t(v)]));
    }
    const Point imageOrigin = surface.rect.topLeft();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto [first, last] = mask.span(y);
        const int left = std::max(first, area.left()), right = std::min(last, area.right());
        if (left > right)
            continue;
        const std::uint8_t *cover = mask.row(y) + (left - mask.rect().x());
        Rgba *dst = surface.bits + std::size_t(y - imageOrigin.y()) * surface.stride + std::size_t(left - imageOrigin.x());
        for (int i = 0; i <= right - left; ++i) {
            const std::size_t c = cover[i];
            if (c == 0)
                continue;
            const Rgba s = premultiplied[c], d = dst[i];
            const std::uint32_t k = keep[c];
            dst[i] = packRgba(redOf(s) + int(div255(std::uint32_t(redOf(d)) * k)),
                              greenOf(s) + int(div255(std::uint32_t(greenOf(d)) * k)),
                              blueOf(s) + int(div255(std::uint32_t(blueOf(d)) * k)),
                              alphaOf(s) + int(div255(std::uint32_t(alphaOf(d)) * k)));
        }
    }
}

} // namespace InkRaster

} // namespace core
