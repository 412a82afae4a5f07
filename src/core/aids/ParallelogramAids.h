#pragma once

#include "Color.h"

#include <string>
#include <vector>

namespace core {

class AidLayout;
struct LessonAids;
struct PageView;

// The aids of the circle cut into sectors: where each side of the new figure
// comes from. The parallelogram's bulged top and bottom take the colour the
// figure gives the circumference already moved; a radius of the circle and the
// figure's height share another. With every sector placed, the two sides are
// named and the area formula is built a line at a time.
namespace ParallelogramAids {

inline const Color kRadiusColor{255, 96, 255};
constexpr int kMarkWidthPx = 3;
constexpr int kBracketWidthPx = 2;

// How many sectors the circle is cut into.
std::string count(int sectors);
// What the finished figure's height and base come from, each one line.
std::string heightLabel();
std::string baseLabel();
// The area formula, a line for each step, the textbook's last line last.
const std::vector<std::string> &formula(bool fromDiameter);
void add(LessonAids &aids, AidLayout &layout, const PageView &view);

} // namespace ParallelogramAids

} // namespace core
