#include "SquaredPaperAids.h"

#include "AidLayout.h"
#include "LessonAids.h"
#include "PageView.h"
#include "SquaredPaper.h"
#include "Text.h"

namespace core {

namespace SquaredPaperAids {

namespace {

const std::string kInside = "円の中に全部入っている";
const std::string kCut = "円周がかかっている";
const std::string kSquares = "正方形 ";
const std::string kPieces = " 個";
constexpr std::size_t kCountLines = 2;

// A count of halves as a number: 310, or 77.5 where a cut square is left over.
std::string halves(int count) { return Text::number(count / 2) + (count % 2 ? ".5" : ""); }

} // namespace

std::vector<std::string> lines(int radiusCm, int quarters, bool timesFour)
{
    if (quarters <= 0)
        return {"方眼の正方形は 90°・180°・270°・360° で数える"};
    const SquaredPaper::Count c = SquaredPaper::count(radiusCm, quarters);
    const std::string inside = Text::number(c.inside), cut = Text::number(c.cut);
    const int estimateHalves = 2 * c.inside + c.cut;
    std::vector<std::string> out;
    if (timesFour)
        out.push_back("円の 1/4 で数える");
    out.push_back(kInside + kSquares + inside + kPieces);
    out.push_back(kCut + kSquares + cut + kPieces);
    out.push_back(inside + " ＋ " + cut + " ÷ 2 ＝ " + halves(estimateHalves));
    int wholeHalves = estimateHalves;
    if (timesFour) {
        wholeHalves = SquaredPaper::kQuarters * estimateHalves;
        out.push_back(halves(estimateHalves) + " × 4 ＝ " + halves(wholeHalves));
    }
    out.push_back("およそ " + halves(wholeHalves) + " cm²");
    return out;
}

void add(LessonAids &aids, AidLayout &layout, const PageView &view, int quarters, bool timesFour)
{
    const std::vector<std::string> all = lines(view.radiusCm, quarters, timesFour);
    // Where a 4:3 picture leaves a narrow corner, each count takes two lines.
    std::vector<std::string> narrow;
    std::vector<std::size_t> narrowEnds;
    for (const std::string &line : all) {
        const std::string *lead = line.rfind(kInside, 0) == 0 ? &kInside : line.rfind(kCut, 0) == 0 ? &kCut : nullptr;
        if (lead) {
            narrow.push_back(*lead);
            narrow.push_back(line.substr(lead->size()));
        } else {
            narrow.push_back(line);
        }
        narrowEnds.push_back(narrow.size());
    }
    const std::size_t header = timesFour ? 1 : 0;
    std::size_t shown = quarters <= 0 || view.paperStep >= PageView::Estimated ? all.size()
                        : view.paperStep >= PageView::Counted                  ? header + kCountLines
                        : view.paperStep >= PageView::InsideTinted             ? header
                                                                               : 0;
    if (shown == 0)
        return;
    // Placed whole, so the lines already shown stay put as the rest arrive.
    const std::vector<TextCall> placed =
        layout.placeBlock("方眼の数", all,
                          {layout.inside(AidLayout::Top | AidLayout::Right), layout.inside(AidLayout::Bottom | AidLayout::Right),
                           layout.inside(AidLayout::Bottom | AidLayout::Left), layout.inside(AidLayout::Top | AidLayout::Left)},
                          narrow);
    if (placed.size() == narrow.size() && narrow.size() != all.size())
        shown = narrowEnds[shown - 1];
    aids.texts.insert(aids.texts.end(), placed.begin(), placed.begin() + std::min(shown, placed.size()));
}

} // namespace SquaredPaperAids

} // namespace core
