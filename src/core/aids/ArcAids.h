#pragma once

#include <string>
#include <vector>

namespace core {

class AidLayout;
struct LessonAids;
struct PageView;

// The sector's aids: its central angle and its share of the circle, as a
// fraction in lowest terms and as a percentage.
namespace ArcAids {

// Its angle, naming the figure, and its share of the circle.
std::vector<std::string> readouts(int degrees);
void add(LessonAids &aids, AidLayout &layout, const PageView &view);
// The squared paper is counted in the quarters the sector fills: none where
// it ends inside a quarter, whose squares its radius would cut unevenly.
int countedQuarters(const PageView &view);

} // namespace ArcAids

} // namespace core
