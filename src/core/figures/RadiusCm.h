#pragma once

#include <algorithm>
#include <array>

namespace core {

// The real radius the lesson gives its circle, in centimetres: the textbook's
// 10 cm on squared paper, or a smaller circle a pupil can draw in a notebook.
namespace RadiusCm {

constexpr int kDefault = 10;
constexpr std::array<int, 3> kChoices{5, 8, 10};

constexpr bool offers(int cm) { return std::find(kChoices.begin(), kChoices.end(), cm) != kChoices.end(); }

} // namespace RadiusCm

} // namespace core
