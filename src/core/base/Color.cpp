#include "Color.h"

#include <cstdio>

namespace core {

namespace {

constexpr int kHexDigitsRgb = 6;
constexpr int kHexDigitsArgb = 8;
constexpr int kBitsPerHexDigit = 4;
constexpr int kDecimalDigits = 10;

std::optional<unsigned> hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return unsigned(c - '0');
    if (c >= 'a' && c <= 'f')
        return unsigned(c - 'a' + kDecimalDigits);
    if (c >= 'A' && c <= 'F')
        return unsigned(c - 'A' + kDecimalDigits);
    return std::nullopt;
}

} // namespace

std::optional<Color> Color::fromName(std::string_view name)
{
    if (name.empty() || name.front() != '#')
        return std::nullopt;
    name.remove_prefix(1);
    if (name.size() != kHexDigitsRgb && name.size() != kHexDigitsArgb)
        return std::nullopt;
    Rgba value = 0;
    for (char c : name) {
        const std::optional<unsigned> d = hexDigit(c);
        if (!d)
            return std::nullopt;
        value = (value << kBitsPerHexDigit) | *d;
    }
    if (name.size() == kHexDigitsRgb)
        value |= 0xff000000u;
    return fromRgba(value);
}

std::string Color::name() const
{
    char text[sizeof "#rrggbb"];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", red(), green(), blue());
    return text;
}

} // namespace core
