#pragma once

#include "LineWeight.h"

class AidLayout;
struct LessonAids;

// The regular polygon's aids: its circumscribed circle, faint, so the class
// sees the polygon close in on it; its name; and how near its perimeter and
// its area come to the circle's, as numbers.
namespace PolygonAids {

void add(LessonAids &aids, AidLayout &layout, float scaleWidth, float scaleHeight, int sides, LineWeight weight);

} // namespace PolygonAids
