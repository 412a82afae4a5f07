#include "LessonSnapshot.h"

#include "Lesson.h"
#include "SectorLayout.h"

#include <algorithm>

namespace core {

namespace {

int layoutIndex(SectorLayout layout)
{
    for (std::size_t i = 0; i < SectorLayouts::kChoices.size(); ++i)
        if (SectorLayouts::kChoices[i].layout == layout)
            return int(i);
    return 0;
}

int pageWithId(const Lesson &lesson, const std::string &id)
{
    for (int page = 0; page < lesson.pageCount(); ++page)
        if (id == lesson.row(page).id)
            return page;
    return -1;
}

bool sameAs(const Lesson &lesson, int page, const LessonSnapshot::Page &p)
{
    return lesson.value(page) == p.value && lesson.aidsShown(page) == p.aids && lesson.choice(page) == p.choice &&
           lesson.second(page) == p.second && lesson.step(page) == p.step &&
           lesson.formulaLines(page) == p.formulaLines && lesson.paperStep(page) == p.paperStep;
}

// Brought to the page as the teacher's own commands would bring it, the
// page in view: the figure, its lengths, the aids, the steps, the counting,
// then the formula over them.
void bringPage(Lesson &lesson, int page, const LessonSnapshot::Page &p)
{
    lesson.setShown(page, true);
    lesson.showPage(page);
    lesson.setChoice(page, p.choice);
    lesson.setValue(page, p.value);
    lesson.setSecond(page, p.second);
    if (lesson.hasAids(page) && lesson.aidsShown(page) != p.aids)
        lesson.toggleAids();
    if (lesson.hasSteps(page) && lesson.step(page) != p.step)
        lesson.stepSectors(std::clamp(p.step, 0, lesson.stepCount(page)) - lesson.step(page));
    // Each of these moves a line at a time and says when it cannot.
    while (lesson.paperStep(page) != p.paperStep && lesson.stepCounting(p.paperStep - lesson.paperStep(page))) {
    }
    while (lesson.formulaLines(page) != p.formulaLines &&
           lesson.stepFormula(p.formulaLines - lesson.formulaLines(page))) {
    }
}

} // namespace

LessonSnapshot LessonSnapshot::of(const Lesson &lesson)
{
    LessonSnapshot s;
    s.page = lesson.page();
    for (int page = 0; page < lesson.pageCount(); ++page)
        s.pages.push_back({lesson.row(page).id, lesson.value(page), lesson.aidsShown(page), lesson.shown(page),
                           lesson.choice(page), lesson.second(page), lesson.step(page), lesson.formulaLines(page),
                           lesson.paperStep(page)});
    s.running = lesson.running();
    s.layout = layoutIndex(lesson.sectorLayout());
    s.quarterCount = lesson.quarterCount();
    s.diameterFormula = lesson.diameterFormula();
    s.weight = lesson.weight().factor();
    s.realLengths = lesson.realLengths();
    s.radiusCm = lesson.radiusCm();
    s.grid = lesson.gridShown();
    s.squares = lesson.squaresShown();
    return s;
}

void LessonSnapshot::applyTo(Lesson &lesson) const
{
    if (const std::optional<LineWeight> w = LineWeight::fromFactor(weight))
        lesson.setWeight(*w);
    lesson.setRealLengths(realLengths);
    lesson.setRadiusCm(radiusCm);
    lesson.setGrid(grid);
    lesson.setSquares(squares);
    lesson.setQuarterCount(quarterCount);
    lesson.setDiameterFormula(diameterFormula);
    const SectorLayout sectors = SectorLayouts::kChoices[std::size_t(std::clamp(layout, 0, int(SectorLayouts::kChoices.size()) - 1))].layout;
    if (lesson.sectorLayout() != sectors)
        lesson.setSectorLayout(sectors);
    // Only a page that differs is visited: a follower redraws what changed.
    std::vector<int> found;
    for (const Page &p : pages) {
        const int page = pageWithId(lesson, p.id);
        found.push_back(page);
        if (page >= 0 && !sameAs(lesson, page, p))
            bringPage(lesson, page, p);
    }
    const int inView = std::size_t(page) < found.size() ? found[std::size_t(page)] : -1;
    if (inView >= 0) {
        lesson.setShown(inView, true);
        lesson.showPage(inView);
    }
    for (std::size_t i = 0; i < pages.size(); ++i)
        if (found[i] >= 0)
            lesson.setShown(found[i], pages[i].shown);
    if (running && !lesson.running())
        lesson.pressStart();
    else if (!running)
        lesson.pause();
}

void LessonSnapshot::write(RecordBytes::Writer &out) const
{
    out.u8(unsigned(page));
    out.u8(unsigned(pages.size()));
    for (const Page &p : pages) {
        out.text(p.id);
        out.i32(p.value);
        out.u8(p.aids);
        out.u8(p.shown);
        out.u8(unsigned(p.choice));
        out.i32(p.second);
        out.i32(p.step);
        out.u8(unsigned(p.formulaLines));
        out.u8(unsigned(p.paperStep));
    }
    out.u8(running);
    out.u8(unsigned(layout));
    out.u8(quarterCount);
    out.u8(diameterFormula);
    out.u8(unsigned(weight));
    out.u8(realLengths);
    out.u8(unsigned(radiusCm));
    out.u8(grid);
    out.u8(squares);
}

LessonSnapshot LessonSnapshot::read(RecordBytes::Reader &in)
{
    LessonSnapshot s;
    const auto flag = [&in] {
        const unsigned b = in.u8();
        if (b > 1)
            in.fail();
        return b == 1;
    };
    s.page = int(in.u8());
    const int count = int(in.u8());
    if (count > kMaxPages || s.page >= std::max(count, 1)) {
        in.fail();
        return s;
    }
    for (int i = 0; i < count && in.ok(); ++i) {
        Page p;
        p.id = in.text(kMaxIdBytes);
        p.value = in.i32();
        p.aids = flag();
        p.shown = flag();
        p.choice = int(in.u8());
        p.second = in.i32();
        p.step = in.i32();
        p.formulaLines = int(in.u8());
        p.paperStep = int(in.u8());
        if (p.step < 0 || p.formulaLines > kMaxFormulaLines || p.paperStep > PageView::Estimated)
            in.fail();
        s.pages.push_back(std::move(p));
    }
    s.running = flag();
    s.layout = int(in.u8());
    s.quarterCount = flag();
    s.diameterFormula = flag();
    s.weight = int(in.u8());
    s.realLengths = flag();
    s.radiusCm = int(in.u8());
    s.grid = flag();
    s.squares = flag();
    if (s.layout >= int(SectorLayouts::kChoices.size()) || !LineWeight::fromFactor(s.weight))
        in.fail();
    return s;
}

} // namespace core
