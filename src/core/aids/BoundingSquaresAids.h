#pragma once

#include "Color.h"
#include "Similarity.h"

#include <string>
#include <vector>

namespace core {

class AidLayout;
struct LessonAids;
struct PageView;

// The two squares' areas as multiples of the square on the radius, marked in
// the outer square's corner: the circle is more than 2 of it and less than
// 4, and the twelve-sided polygon inside it exactly 3, so the circle about 3.
namespace BoundingSquaresAids {

inline const Color kRadiusSquareColor{255, 120, 0};

// The readouts for a circle of this radius in cm, with the polygon of `sides` inside.
std::vector<std::string> lines(int radiusCm, int sides);
// `circle`: its centre and radius in pixels.
void add(LessonAids &aids, AidLayout &layout, const PageView &view, const Similarity &circle);

} // namespace BoundingSquaresAids

} // namespace core
