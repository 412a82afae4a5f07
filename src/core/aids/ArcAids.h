#pragma once

namespace core {

class AidLayout;
struct LessonAids;
struct PageView;

// The sector's aids: its central angle and its share of the circle, as a
// fraction in lowest terms and as a percentage.
namespace ArcAids {

void add(LessonAids &aids, AidLayout &layout, const PageView &view);

} // namespace ArcAids

} // namespace core
