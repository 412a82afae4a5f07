#pragma once

namespace core {

class AidLayout;
struct LessonAids;
struct PageView;

// The figures' lengths and areas in cm, for a circle of the view's real
// radius, set beside a page's other aids in the room they leave.
namespace RealLengthAids {

void addPolygon(LessonAids &aids, AidLayout &layout, const PageView &view);
void addSector(LessonAids &aids, AidLayout &layout, const PageView &view);
// Once every sector is placed: the base and height, then with the whole
// formula shown, the formula with the numbers.
void addParallelogram(LessonAids &aids, AidLayout &layout, const PageView &view);

} // namespace RealLengthAids

} // namespace core
