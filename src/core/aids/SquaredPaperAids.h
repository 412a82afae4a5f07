#pragma once

#include <string>
#include <vector>

namespace core {

class AidLayout;
struct LessonAids;
struct PageView;

// The squared paper's counts: the squares inside the circle, those it cuts,
// and the area they estimate, taking the cut ones as halves. They come a
// step at a time, and belong to the part of the circle counted: the whole,
// the quarter the textbook counts, or the quarters a sector takes.
namespace SquaredPaperAids {

// The whole block, in the order it is revealed. `quarters` of the circle are
// counted; `timesFour`: a quarter counted for the whole circle.
std::vector<std::string> lines(int radiusCm, int quarters, bool timesFour);
void add(LessonAids &aids, AidLayout &layout, const PageView &view, int quarters, bool timesFour);

} // namespace SquaredPaperAids

} // namespace core
