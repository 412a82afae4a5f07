#include "LineRaster.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {

constexpr float kEdgePx = 0.5f;
// Far beyond any screen; keeps float-to-int conversions defined.
constexpr float kFarPx = float(1 << 24);

int floorInt(float v)
{
    v = std::clamp(v, -kFarPx, kFarPx);
    const int i = int(v);
    return i - (float(i) > v);
}

struct Ink
{
    QRgb solid;

    // `cover` of the ink over what is there (source-over, premultiplied), two
    // channels to a multiply.
    void mix(QRgb &dst, std::uint32_t cover) const
    {
        const std::uint32_t keep = 255 - cover, d = dst;
        std::uint32_t rb = (solid & 0xff00ff) * cover + (d & 0xff00ff) * keep;
        rb = ((rb + ((rb >> 8) & 0xff00ff) + 0x800080) >> 8) & 0xff00ff;
        std::uint32_t ag = ((solid >> 8) & 0xff00ff) * cover + ((d >> 8) & 0xff00ff) * keep;
        ag = (ag + ((ag >> 8) & 0xff00ff) + 0x800080) & 0xff00ff00;
        dst = ag | rb;
    }
};

// Walks the major axis `u` (rows for a steep line, columns for a flat one) and
// visits across it `v` only the few pixels of the band, so a long line costs
// its own pixels.
template <bool Steep>
void walk(const InkRaster::Surface &s, const QRect &area, QPointF a, QPointF b, float radius, const Ink &ink)
{
    float ua = float(Steep ? a.y() : a.x()), va = float(Steep ? a.x() : a.y());
    float ub = float(Steep ? b.y() : b.x()), vb = float(Steep ? b.x() : b.y());
    if (ub < ua) {
        std::swap(ua, ub);
        std::swap(va, vb);
    }
    const float du = ub - ua, dv = vb - va;
    const float length2 = du * du + dv * dv;
    const float slope = du > 0 ? dv / du : 0.0f;
    const float secant = std::sqrt(1 + slope * slope);
    const float across = 1 / secant;
    const float outer = radius + kEdgePx;
    const float halfSpan = outer * secant;

    const int uMin = Steep ? area.top() : area.left(), uMax = Steep ? area.bottom() : area.right();
    const int vMin = Steep ? area.left() : area.top(), vMax = Steep ? area.right() : area.bottom();
    const int uFirst = std::max(uMin, floorInt(ua - outer)), uLast = std::min(uMax, floorInt(ub + outer));
    const qsizetype uStep = Steep ? s.stride : qsizetype(sizeof(QRgb));
    const qsizetype vStep = Steep ? qsizetype(sizeof(QRgb)) : s.stride;
    const int ox = s.rect.x(), oy = s.rect.y();

    // Away from the ends every pixel of the band lies beside the segment: its
    // distance is its offset across the axis, and the pixels within
    // radius − ½ of it are simply filled.
    const float capZone = halfSpan + 1;
    const float fullHalf = std::max(0.0f, radius - kEdgePx) * secant;

    for (int u = uFirst; u <= uLast; ++u) {
        const float eu = float(u) + 0.5f - ua;
        const float centre = va + slope * eu;
        // Pixels whose centres lie strictly inside the band; those on its rim are bare.
        const int vFirst = std::max(vMin, floorInt(centre - halfSpan - 0.5f) + 1);
        const int vLast = std::min(vMax, -floorInt(0.5f - centre - halfSpan) - 1);
        if (vFirst > vLast)
            continue;
        uchar *const line = s.bits + (Steep ? (u - oy) * uStep - ox * vStep : (u - ox) * uStep - oy * vStep);
        const auto pixel = [line, vStep](int v) { return reinterpret_cast<QRgb *>(line + v * vStep); };
        if (eu > capZone && eu < du - capZone) {
            const auto edge = [&](int v) {
                const float cover = std::clamp(outer - std::fabs(float(v) + 0.5f - centre) * across, 0.0f, 1.0f);
                ink.mix(*pixel(v), std::uint32_t(cover * 255 + 0.5f));
            };
            const int fullFirst = std::max(vFirst, floorInt(centre - fullHalf - 0.5f) + 1);
            const int fullLast = std::min(vLast, floorInt(centre + fullHalf - 0.5f));
            for (int v = vFirst; v < std::min(fullFirst, vLast + 1); ++v)
                edge(v);
            for (int v = fullFirst; v <= fullLast; ++v)
                *pixel(v) = ink.solid;
            for (int v = std::max(fullLast + 1, fullFirst); v <= vLast; ++v)
                edge(v);
            continue;
        }
        for (int v = vFirst; v <= vLast; ++v) {
            const float ev = float(v) + 0.5f - va;
            const float along = eu * du + ev * dv;
            float distance;
            if (along <= 0)
                distance = std::sqrt(eu * eu + ev * ev);
            else if (along >= length2)
                distance = std::sqrt((eu - du) * (eu - du) + (ev - dv) * (ev - dv));
            else
                distance = std::fabs(ev - slope * eu) * across;
            const float cover = std::clamp(outer - distance, 0.0f, 1.0f);
            if (const auto alpha = std::uint32_t(cover * 255 + 0.5f))
                ink.mix(*pixel(v), alpha);
        }
    }
}

} // namespace

namespace LineRaster {

void draw(const InkRaster::Surface &surface, const QRect &clip, QPointF a, QPointF b, double radiusPx, QRgb color)
{
    const QRect area = clip & surface.rect & InkRaster::reach(a, b, radiusPx);
    if (area.isEmpty() || !(radiusPx > 0))
        return;
    const Ink ink{qRgba(qRed(color), qGreen(color), qBlue(color), 255)};
    if (std::fabs(b.y() - a.y()) >= std::fabs(b.x() - a.x()))
        walk<true>(surface, area, a, b, float(radiusPx), ink);
    else
        walk<false>(surface, area, a, b, float(radiusPx), ink);
}

void ring(const InkRaster::Surface &surface, const QRect &clip, QPointF centre, double radiusPx, double halfWidthPx,
          QRgb color)
{
    const double reach = radiusPx + halfWidthPx;
    const QRect area = clip & surface.rect & InkRaster::reach(centre, centre, reach);
    if (area.isEmpty() || !(halfWidthPx > 0) || !(radiusPx > 0))
        return;
    const Ink ink{qRgba(qRed(color), qGreen(color), qBlue(color), 255)};
    const float cx = float(centre.x()), cy = float(centre.y()), radius = float(radiusPx);
    const float outer = float(halfWidthPx) + kEdgePx;
    const float far2 = (radius + outer) * (radius + outer);
    const float nearR = std::max(0.0f, radius - outer), near2 = nearR * nearR;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const float ey = float(y) + 0.5f - cy, ey2 = ey * ey;
        if (ey2 >= far2)
            continue;
        // Each row meets the outline in a span on either side of the hole.
        const float across = std::sqrt(far2 - ey2);
        const float hole = ey2 < near2 ? std::sqrt(near2 - ey2) : 0.0f;
        auto *row = reinterpret_cast<QRgb *>(surface.bits + (y - surface.rect.y()) * surface.stride);
        const auto span = [&](float from, float to) {
            const int first = std::max(area.left(), floorInt(from)), last = std::min(area.right(), floorInt(to));
            for (int x = first; x <= last; ++x) {
                const float ex = float(x) + 0.5f - cx;
                const float cover = std::clamp(outer - std::fabs(std::sqrt(ex * ex + ey2) - radius), 0.0f, 1.0f);
                if (const auto alpha = std::uint32_t(cover * 255 + 0.5f))
                    ink.mix(row[x - surface.rect.x()], alpha);
            }
        };
        span(cx - across, cx - hole);
        span(cx + hole, cx + across);
    }
}

} // namespace LineRaster
