#include "AidWords.h"

#include "Text.h"

#include <array>
#include <cmath>

namespace core::AidWords {

namespace {
constexpr int kTen = 10;
constexpr int kLargestKanji = 99;
constexpr int kSquareSides = 4;
// Closer than this to the printed value, in units of its last place, a value
// counts as printed exactly: 6·sin(π/6) is 3 to within a few ulps.
constexpr double kExactInLastPlace = 1e-6;

const std::array<const char *, kTen> kDigits = {"", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
} // namespace

std::string kanjiNumeral(int n)
{
    if (n < 1 || n > kLargestKanji)
        return Text::number(n);
    const int tens = n / kTen, ones = n % kTen;
    std::string out;
    // 十 alone stands for one ten: 十二, not 一十二.
    if (tens > 1)
        out += kDigits[tens];
    if (tens > 0)
        out += "十";
    return out + kDigits[ones];
}

std::string polygonName(int sides)
{
    return sides == kSquareSides ? "正方形" : "正" + kanjiNumeral(sides) + "角形";
}

std::string rounded(double value, int decimals)
{
    const double scaled = value * std::pow(kTen, decimals);
    if (std::abs(scaled - std::round(scaled)) >= kExactInLastPlace)
        return "約 " + Text::fixed(value, decimals);
    // Exact: no zeros that pad it out, 3 and not 3.000.
    std::string text = Text::fixed(value, decimals);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return text;
}

} // namespace core::AidWords
