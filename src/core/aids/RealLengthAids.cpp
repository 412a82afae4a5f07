#include "RealLengthAids.h"

#include "AidLayout.h"
#include "LessonAids.h"
#include "PageView.h"
#include "ParallelogramAids.h"
#include "ParallelogramFigure.h"
#include "RealLengths.h"

namespace core {

namespace RealLengthAids {

namespace {

void place(LessonAids &aids, AidLayout &layout, const std::vector<std::string> &lines, std::initializer_list<unsigned> corners)
{
    std::vector<AidLayout::Place> places;
    for (const unsigned corner : corners)
        places.push_back(layout.inside(corner));
    const std::vector<TextCall> texts = layout.placeBlock("cm の長さ", lines, places);
    aids.texts.insert(aids.texts.end(), texts.begin(), texts.end());
}

} // namespace

void addPolygon(LessonAids &aids, AidLayout &layout, const PageView &view)
{
    place(aids, layout, RealLengths(view.radiusCm).polygon(view.value),
          {AidLayout::Top | AidLayout::Right, AidLayout::Bottom | AidLayout::Right, AidLayout::Bottom | AidLayout::Left});
}

void addSector(LessonAids &aids, AidLayout &layout, const PageView &view)
{
    place(aids, layout, RealLengths(view.radiusCm).sector(view.value),
          {AidLayout::Bottom | AidLayout::Left, AidLayout::Top | AidLayout::Right, AidLayout::Bottom | AidLayout::Right});
}

void addParallelogram(LessonAids &aids, AidLayout &layout, const PageView &view)
{
    const RealLengths lengths(view.radiusCm);
    const bool fromDiameter = view.diameterFormula;
    const ParallelogramFigure f =
        ParallelogramFigure::compute(float(view.inner.width()), float(view.inner.height()), view.value, view.step);
    const bool finished = f.step == f.sectors;
    std::vector<std::string> lines = finished       ? lengths.parallelogram(fromDiameter)
                                     : fromDiameter ? std::vector<std::string>{lengths.diameter()}
                                                    : std::vector<std::string>{lengths.radius()};
    if (finished && view.formulaLines >= int(ParallelogramAids::formula(fromDiameter).size()))
        for (const std::string &line : lengths.areaFormula(fromDiameter))
            lines.push_back(line);
    place(aids, layout, lines,
          {AidLayout::Top | AidLayout::Left, AidLayout::Bottom | AidLayout::Left, AidLayout::Top | AidLayout::Right});
}

} // namespace RealLengthAids

} // namespace core
