#include "LessonSnapshot.h"

#include "Lesson.h"

#include <algorithm>

namespace core {

LessonSnapshot LessonSnapshot::of(const Lesson &lesson)
{
    LessonSnapshot s;
    s.page = lesson.page();
    for (int page = 0; page < lesson.pageCount(); ++page)
        s.pages.push_back({lesson.value(page), lesson.aidsShown(page)});
    s.step = lesson.step();
    s.running = lesson.running();
    s.formulaLines = lesson.formulaLines();
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
    const int shared = std::min(int(pages.size()), lesson.pageCount());
    for (int p = 0; p < shared; ++p) {
        lesson.setValue(p, pages[std::size_t(p)].value);
        if (lesson.hasAids(p) && lesson.aidsShown(p) != pages[std::size_t(p)].aids) {
            lesson.showPage(p);
            lesson.toggleAids();
        }
    }
    if (lesson.has(page))
        lesson.showPage(page);
    if (lesson.animatedPage() < 0)
        return;
    if (lesson.step() != step)
        lesson.stepSectors(std::clamp(step, 0, lesson.sectors()) - lesson.step());
    // The formula grows and shrinks a line a step, only over the finished figure.
    const bool formulaShows = lesson.aidsShown(lesson.animatedPage()) && lesson.step() == lesson.sectors();
    while (formulaShows && lesson.formulaLines() != std::clamp(formulaLines, 0, Lesson::kFormulaLines))
        lesson.stepLesson(lesson.formulaLines() < formulaLines ? +1 : -1);
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
        out.i32(p.value);
        out.u8(p.aids);
    }
    out.i32(step);
    out.u8(running);
    out.u8(unsigned(formulaLines));
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
    for (int p = 0; p < count && in.ok(); ++p) {
        const int value = in.i32();
        s.pages.push_back({value, flag()});
    }
    s.step = in.i32();
    s.running = flag();
    s.formulaLines = int(in.u8());
    s.weight = int(in.u8());
    s.realLengths = flag();
    s.radiusCm = int(in.u8());
    s.grid = flag();
    s.squares = flag();
    if (s.step < 0 || s.formulaLines > Lesson::kFormulaLines || !LineWeight::fromFactor(s.weight))
        in.fail();
    return s;
}

} // namespace core
