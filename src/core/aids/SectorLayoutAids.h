#pragma once

#include <string>
#include <vector>

namespace core {

class AidLayout;
struct LessonAids;
struct PageView;

// The aids of the sectors page's other layouts. The rectangle names its sides
// and builds the parallelogram's formula; the triangle of rings names its
// base and height, the circumference and the radius, and builds its own; the
// sectors moved by hand are counted. Each marks where its lengths came from
// in the colours the parallelogram's aids give them.
namespace SectorLayoutAids {

std::string ringCount(int rings);
std::vector<std::string> triangleHeightLabel();
std::string triangleBaseLabel();
// The triangle's area formula, a line for each step, the textbook's last line last.
const std::vector<std::string> &triangleFormula();

void addRectangle(LessonAids &aids, AidLayout &layout, const PageView &view);
void addTriangle(LessonAids &aids, AidLayout &layout, const PageView &view);
void addHand(LessonAids &aids, AidLayout &layout, const PageView &view);
void addTriangleLengths(LessonAids &aids, AidLayout &layout, const PageView &view);

} // namespace SectorLayoutAids

} // namespace core
