#pragma once

#include <algorithm>
#include <array>
#include <optional>

namespace core {

// How heavily everything is drawn, as a whole multiple of the design's widths:
// every figure line, the pen and the eraser. Heavier lines carry to the back
// of a classroom.
class LineWeight
{
public:
    struct Choice
    {
        int factor;
        const char *name;
        char mnemonic;
    };
    // In menu order, the design's weight first.
    // The figures' outlines and polygon edges, in the design's pixels.
    static constexpr int kMainLinePx = 2;
    static constexpr std::array<Choice, 3> kChoices{{{1, "標準", 'N'}, {2, "太い", 'T'}, {3, "特大", 'X'}}};

    constexpr LineWeight() = default;
    // Nothing for a factor that is not one of the choices.
    static std::optional<LineWeight> fromFactor(int factor);

    int factor() const { return m_factor; }
    // Each step heavier widens a line by its own width, and a thin line by the
    // main lines' width: the 1 px radii and dotted circle then reach the back
    // row too, still thinner than the edges around them.
    int px(int designPx) const { return designPx + (m_factor - 1) * std::max(designPx, kMainLinePx); }
    // One choice heavier or lighter, staying at the ends.
    LineWeight heavier() const;
    LineWeight lighter() const;

    bool operator==(const LineWeight &) const = default;

private:
    explicit constexpr LineWeight(int factor) : m_factor(factor) {}
    int m_factor = kChoices.front().factor;
};

} // namespace core
