#include "CutOutCircle.h"

#include "FigureMath.h"
#include "Text.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace core {

namespace {
// Numbers stand this far out along each sector, in radii, and take at most this
// share of the sector's width there, and of the radius.
constexpr double kNumberAtRadii = 0.72;
constexpr double kNumberShareOfChord = 0.55;
constexpr double kNumberShareOfRadius = 0.16;
constexpr double kQuarterTurnDegrees = 90;
constexpr int kMmPerCm = 10;
} // namespace

// Sector j lies between radius lines j and j + 1, clockwise from 3 o'clock,
// and is the (j + 1)th to move.
CutOutCircle CutOutCircle::compute(int half)
{
    CutOutCircle c;
    c.figure = ParallelogramFigure::compute(kPictureWidthPx, kPictureHeightPx, half, 0);
    const ParallelogramFigure &f = c.figure;
    if (f.R <= 0)
        return c;
    const double labelRadius = kNumberAtRadii * f.R;
    c.numberPx = std::max(1, int(std::min(kNumberShareOfChord * 2 * labelRadius * std::sin(f.theta / 2),
                                          kNumberShareOfRadius * f.R)));
    for (int j = 0; j < f.sectors; ++j) {
        const double angle = (j + 0.5) * f.theta;
        c.numbers.push_back({PointF(f.centre) + PointF(std::cos(angle), std::sin(angle)) * labelRadius,
                             angle * kDegreesPerHalfTurn / kPi + kQuarterTurnDegrees, j + 1, readsOtherTurned(j + 1)});
    }
    return c;
}

std::string CutOutCircle::caption() const
{
    return "円を " + Text::number(figure.sectors) + " 個のおうぎ形に分けました（半径 " + Text::number(std::lround(kRadiusMm / kMmPerCm))
           + " cm）。\n線にそって切り取り、番号の順に並べてみよう。";
}

bool CutOutCircle::readsOtherTurned(int value)
{
    if (value <= 0)
        return false;
    // Each digit as it reads upside down; -1 where it reads as no digit.
    constexpr std::array<int, 10> kTurned{0, 1, -1, -1, -1, -1, 9, -1, 8, 6};
    constexpr int kBase = 10;
    int turned = 0;
    int lastDigit = value % kBase;
    for (int rest = value; rest > 0; rest /= kBase) {
        const int digit = kTurned[std::size_t(rest % kBase)];
        if (digit < 0)
            return false;
        turned = turned * kBase + digit;
    }
    // A leading 0 (10 turned is "01") reads as no number.
    return kTurned[std::size_t(lastDigit)] != 0 && turned != value;
}

} // namespace core
