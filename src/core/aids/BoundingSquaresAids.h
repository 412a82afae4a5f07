#pragma once

namespace core {

class AidLayout;
struct LessonAids;
struct PageView;

// The two squares' areas, and the circle's held between them.
namespace BoundingSquaresAids {

void add(LessonAids &aids, AidLayout &layout, const PageView &view);

} // namespace BoundingSquaresAids

} // namespace core
