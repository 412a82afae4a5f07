#pragma once

#include <string>

namespace core {

// Words and numbers as a grade-6 textbook writes them on the aids.
namespace AidWords {

// 1 to 99 in kanji: 三, 十, 十二, 二十, 六十四. Arabic digits outside that range.
std::string kanjiNumeral(int n);
// 正三角形, 正方形, 正五角形 … 正六十四角形.
std::string polygonName(int sides);
// `value` to `decimals` places, led by 約 where the rounding changed it; an
// exact value without trailing zeros.
std::string rounded(double value, int decimals);

} // namespace AidWords

} // namespace core
