#pragma once

#include <string>
#include <vector>

namespace core {

class AidLayout;
struct LessonAids;
struct PageView;

// The regular polygon's aids: its circumscribed circle, faint, so the class
// sees the polygon close in on it; its name; and how near its perimeter and
// its area come to the circle's, as numbers.
namespace PolygonAids {

// Its name and its number of sides, large enough for the back row.
std::vector<std::string> title(int sides);
// How near its perimeter and area come to the circle's; π is written beside them.
std::vector<std::string> readouts(int sides);
void add(LessonAids &aids, AidLayout &layout, const PageView &view);

} // namespace PolygonAids

} // namespace core
