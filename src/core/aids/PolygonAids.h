#pragma once

namespace core {

class AidLayout;
struct LessonAids;
struct PageView;

// The regular polygon's aids: its circumscribed circle, faint, so the class
// sees the polygon close in on it; its name; and how near its perimeter and
// its area come to the circle's, as numbers.
namespace PolygonAids {

void add(LessonAids &aids, AidLayout &layout, const PageView &view);

} // namespace PolygonAids

} // namespace core
