#pragma once

#include <string>
#include <string_view>

namespace core {

// Numbers as the lesson writes them, the same in every locale: digits, and a
// full stop before the decimals.
namespace Text {

std::string number(long long value);
// `decimals` digits after the point, rounded to nearest.
std::string fixed(double value, int decimals);
bool endsWith(std::string_view text, std::string_view end);

} // namespace Text

} // namespace core
