#include "BoundingSquaresAids.h"

#include "AidLayout.h"
#include "BoundingSquares.h"
#include "LessonAids.h"
#include "PageView.h"
#include "Text.h"

namespace core {

namespace BoundingSquaresAids {

void add(LessonAids &aids, AidLayout &layout, const PageView &view)
{
    const int r = view.radiusCm;
    const std::string inner = Text::number(BoundingSquares::innerArea(r)) + " cm²";
    const std::string outer = Text::number(BoundingSquares::outerArea(r)) + " cm²";
    // Short lines, to fit a corner beside the circle at 4:3.
    const std::vector<std::string> lines = {"内側の正方形 " + inner, "外側の正方形 " + outer, "円の面積は",
                                            inner + " より大きく", outer + " より小さい"};
    // Beside the polygon's own share of the circle, which takes the bottom left first.
    for (const TextCall &t : layout.place(lines, {layout.inside(AidLayout::Bottom | AidLayout::Right),
                                                  layout.inside(AidLayout::Top | AidLayout::Right),
                                                  layout.inside(AidLayout::Bottom | AidLayout::Left)}))
        aids.texts.push_back(t);
}

} // namespace BoundingSquaresAids

} // namespace core
