#include "SquaredPaperAids.h"

#include "AidLayout.h"
#include "LessonAids.h"
#include "PageView.h"
#include "SquaredPaper.h"
#include "Text.h"

namespace core {

namespace SquaredPaperAids {

namespace {

// A count of halves as a number: 310, or 74.5 where a cut square is left over.
std::string halves(int count)
{
    return Text::number(count / 2) + (count % 2 ? ".5" : "");
}

} // namespace

void add(LessonAids &aids, AidLayout &layout, const PageView &view)
{
    const SquaredPaper::Count c = SquaredPaper::count(view.radiusCm);
    // Short lines: the block goes beside the circle, where a 4:3 picture has little room.
    const std::vector<std::string> lines = {
        "中の正方形 " + Text::number(c.inside) + " こ",
        "円にかかる正方形 " + Text::number(c.cut) + " こ",
        "およそ " + Text::number(c.inside) + " ＋ " + Text::number(c.cut) + " ÷ 2",
        "＝ " + halves(2 * c.inside + c.cut) + "（cm²）"};
    for (const TextCall &t : layout.place(lines, {layout.inside(AidLayout::Top | AidLayout::Right),
                                                  layout.inside(AidLayout::Bottom | AidLayout::Right),
                                                  layout.inside(AidLayout::Bottom | AidLayout::Left),
                                                  layout.inside(AidLayout::Top | AidLayout::Left)}))
        aids.texts.push_back(t);
}

} // namespace SquaredPaperAids

} // namespace core
