#pragma once

#include "LineWeight.h"

class AidLayout;
struct LessonAids;

// The sector's aids: its central angle and its share of the circle, as a
// fraction in lowest terms and as a percentage.
namespace ArcAids {

void add(LessonAids &aids, AidLayout &layout, float scaleWidth, float scaleHeight, int degrees, LineWeight weight);

} // namespace ArcAids
