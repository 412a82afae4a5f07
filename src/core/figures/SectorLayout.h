#pragma once

#include <array>

namespace core {

// How the circle's pieces are laid out on the sectors page: the sectors side
// by side as a parallelogram (the first choice), the same with the first
// sector halved so both ends stand upright, or thin rings unrolled into a
// triangle.
enum class SectorLayout { Parallelogram, Rectangle, Triangle };

namespace SectorLayouts {

struct Choice
{
    SectorLayout layout;
    const char *name; // UTF-8, as the menu shows it
    char mnemonic;
    const char *key; // as the command line names it
};

inline constexpr std::array<Choice, 3> kChoices{{
    {SectorLayout::Parallelogram, "平行四辺形", 'P', "parallelogram"},
    {SectorLayout::Rectangle, "長方形", 'R', "rectangle"},
    {SectorLayout::Triangle, "三角形", 'T', "triangle"},
}};

// The next choice after `layout`, the last coming round to the first.
inline SectorLayout next(SectorLayout layout)
{
    for (std::size_t i = 0; i < kChoices.size(); ++i)
        if (kChoices[i].layout == layout)
            return kChoices[(i + 1) % kChoices.size()].layout;
    return kChoices.front().layout;
}

} // namespace SectorLayouts

} // namespace core
