#include "Text.h"

#include <algorithm>
#include <cstdio>

namespace core::Text {

namespace {
// Enough for any double printed in fixed notation with a few decimals.
constexpr int kLongestFixed = 350;
constexpr int kMostDecimals = 17;
} // namespace

std::string number(long long value) { return std::to_string(value); }

std::string fixed(double value, int decimals)
{
    char text[kLongestFixed];
    std::snprintf(text, sizeof text, "%.*f", std::clamp(decimals, 0, kMostDecimals), value);
    std::string out(text);
    // The C library follows the locale a front-end may have set; the lesson does not.
    std::replace(out.begin(), out.end(), ',', '.');
    return out;
}

bool endsWith(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

} // namespace core::Text
