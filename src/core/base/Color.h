#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// A packed colour as image buffers keep it: alpha in the top byte, then red,
// green and blue.
using Rgba = std::uint32_t;

constexpr int redOf(Rgba c) { return int((c >> 16) & 0xffu); }
constexpr int greenOf(Rgba c) { return int((c >> 8) & 0xffu); }
constexpr int blueOf(Rgba c) { return int(c & 0xffu); }
constexpr int alphaOf(Rgba c) { return int(c >> 24); }
constexpr Rgba packRgba(int r, int g, int b, int a = 255)
{
    return (Rgba(a & 0xff) << 24) | (Rgba(r & 0xff) << 16) | (Rgba(g & 0xff) << 8) | Rgba(b & 0xff);
}

// An sRGB colour with alpha, 8 bits a channel.
class Color
{
public:
    static constexpr float kChannelMax = 255.0f;

    constexpr Color() = default;
    constexpr Color(int r, int g, int b, int a = 255) : m_rgba(packRgba(r, g, b, a)) {}
    static constexpr Color fromRgba(Rgba rgba)
    {
        Color c;
        c.m_rgba = rgba;
        return c;
    }
    // "#rrggbb" or "#aarrggbb", either case; nothing for anything else.
    static std::optional<Color> fromName(std::string_view name);

    constexpr int red() const { return redOf(m_rgba); }
    constexpr int green() const { return greenOf(m_rgba); }
    constexpr int blue() const { return blueOf(m_rgba); }
    constexpr int alpha() const { return alphaOf(m_rgba); }
    // Single precision, as the contrast rules were first worked out in.
    constexpr float redF() const { return float(red()) / kChannelMax; }
    constexpr float greenF() const { return float(green()) / kChannelMax; }
    constexpr float blueF() const { return float(blue()) / kChannelMax; }
    constexpr Rgba rgba() const { return m_rgba; }
    // The same colour made opaque.
    constexpr Rgba rgb() const { return m_rgba | 0xff000000u; }
    // "#rrggbb", lower case.
    std::string name() const;
    constexpr bool operator==(const Color &) const = default;

private:
    Rgba m_rgba = 0xff000000u;
};

} // namespace core
