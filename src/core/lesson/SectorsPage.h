#pragma once

namespace core {

class AidLayout;
class DrawOps;
struct LessonAids;
struct PageView;

// The circle cut into sectors, drawn as its view asks: laid out by the
// animation as a parallelogram, a rectangle or a triangle of rings, or where
// a pupil's hands have put the sectors.
namespace SectorsPage {

void paint(DrawOps &ops, const PageView &view);
void addAids(LessonAids &aids, AidLayout &layout, const PageView &view);
void addRealLengths(LessonAids &aids, AidLayout &layout, const PageView &view);

} // namespace SectorsPage

} // namespace core
