#pragma once

namespace core {

class AidLayout;
struct LessonAids;
struct PageView;

// The squared paper's counts: the squares inside the circle, those it cuts,
// and the area they estimate, taking the cut ones as halves.
namespace SquaredPaperAids {

void add(LessonAids &aids, AidLayout &layout, const PageView &view);

} // namespace SquaredPaperAids

} // namespace core
