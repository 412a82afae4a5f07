#include "CommandTable.h"

#include "ClassRoom.h"
#include "Lesson.h"
#include "LineWeight.h"
#include "PenPalette.h"
#include "PracticeProblem.h"
#include "RadiusCm.h"
#include "SectorLayout.h"
#include "Text.h"

#include <algorithm>

// Each row names only what it has; the rest keep their defaults on purpose.
#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif

namespace core::CommandTable {

namespace {

// Toolbar groups, each a hundred places: pens and ink, the page's steps, the
// aids, the screen and files.
constexpr int kPens = 100;
constexpr int kInk = 200;
constexpr int kSteps = 300;
constexpr int kAids = 400;
constexpr int kScreen = 500;

// Page menu sections: the lesson's choices, the screen and files (submenus, so
// the menu fits a 1080-px screen in the classroom's letters), the board, help.
constexpr int kChoices = 0;
constexpr int kScreenSection = 1;
constexpr int kBoard = 2;
constexpr int kHelp = 3;
constexpr int kClassSection = 4;

bool animated(const Lesson &l, int page) { return page == l.animatedPage(); }
bool hasValue(const Lesson &l, int page) { return l.has(page) && l.row(page).range.has_value(); }
bool hasAids(const Lesson &l, int page) { return l.hasAids(page); }
bool hasGrid(const Lesson &l, int page) { return l.hasGrid(page); }
bool hasSquares(const Lesson &l, int page) { return l.hasSquares(page); }
bool hasFormula(const Lesson &l, int page) { return animated(l, page) && l.hasAids(page); }
bool steps(const Lesson &l, int page) { return l.steps(page); }
bool stepping(const Lesson &l, int page) { return l.hasSteps(page); }
bool hasSecond(const Lesson &l, int page) { return l.secondRange(page).has_value(); }

CommandState checked(bool on)
{
    CommandState s;
    s.checkable = true;
    s.checked = on;
    return s;
}

CommandState enabled(bool on)
{
    CommandState s;
    s.enabled = on;
    return s;
}

ClassRoom::Role classRole(const Lesson &l) { return l.classRoom() ? l.classRoom()->role() : ClassRoom::Role::None; }
bool teaching(const Lesson &l) { return classRole(l) == ClassRoom::Role::Teacher; }

// A device takes one part in one class at a time; only the teacher steers it.
void appendClass(std::vector<Command> &rows)
{
    rows.push_back({.id = "menu.class", .label = "授業", .mnemonic = 'J', .icon = "class", .menu = Menu::Page,
                    .section = kClassSection, .opens = Menu::Class});
    const auto outOfClass = [](const Lesson &l, const Command &, int) {
        return enabled(classRole(l) == ClassRoom::Role::None);
    };
    // The teacher's commands are there only while teaching.
    const auto teacherOnly = [](const Lesson &l, int) { return teaching(l); };
    rows.push_back({.id = "class.share", .label = "授業を共有…", .mnemonic = 'S', .icon = "class",
                    .menu = Menu::Class, .tip = "クラスのコードと QR コードで、児童・生徒の端末にこの画面を配ります",
                    .state = outOfClass});
    rows.push_back({.id = "class.join", .label = "授業に参加…", .mnemonic = 'J', .icon = "class", .menu = Menu::Class,
                    .state = outOfClass});
    rows.push_back({.id = "class.gallery", .label = "みんなの考え", .mnemonic = 'M', .icon = "class",
                    .menu = Menu::Class, .section = 1, .has = teacherOnly});
    rows.push_back({.id = "class.free", .label = "自由にする", .mnemonic = 'F', .icon = "class", .menu = Menu::Class,
                    .section = 1, .tip = "児童・生徒が自分でページや値を変えられるようにします", .has = teacherOnly,
                    .state = [](const Lesson &l, const Command &, int) { return enabled(teaching(l) && !l.classRoom()->pupilsFree()); },
                    .run = [](Lesson &l, const Command &, int) { l.classRoom()->setPupilsFree(true); }});
    rows.push_back({.id = "class.callBack", .label = "呼び戻す", .mnemonic = 'B', .icon = "class", .menu = Menu::Class,
                    .section = 1, .tip = "児童・生徒の画面を先生の画面に戻します", .has = teacherOnly,
                    .state = [](const Lesson &l, const Command &, int) { return enabled(teaching(l) && l.classRoom()->pupilsFree()); },
                    .run = [](Lesson &l, const Command &, int) { l.classRoom()->setPupilsFree(false); }});
    rows.push_back({.id = "class.clearBoards", .label = "全員の書き込みを消す", .mnemonic = 'C', .icon = "clear",
                    .menu = Menu::Class, .section = 1, .has = teacherOnly,
                    .run = [](Lesson &l, const Command &, int) { l.classRoom()->clearPupilBoards(); }});
    // Each device keeps its own board when the class ends.
    rows.push_back({.id = "class.end", .label = "授業を終える", .mnemonic = 'E', .icon = "class", .menu = Menu::Class,
                    .section = 2, .has = teacherOnly,
                    .run = [](Lesson &l, const Command &, int) { l.classRoom()->end(); }});
}

Color penColour(const Command &c) { return PenPalette::pens()[std::size_t(c.argument)].colour; }

LineWeight weightOf(int factor) { return LineWeight::fromFactor(factor).value_or(LineWeight()); }

// The start button's label follows the run: start, pause, or resume where it paused.
CommandState startState(const Lesson &l, const Command &, int)
{
    CommandState s;
    s.shortLabel = l.running() ? "一時停止" : l.step() > 0 && l.step() < l.sectors() ? "再開" : "開始";
    s.enabled = l.canStart();
    s.icon = l.running() ? "pause" : "start";
    return s;
}

// The toolbar shows the weight in use; a press takes the next, round to the first.
CommandState weightCycleState(const Lesson &l, const Command &, int)
{
    CommandState s;
    s.value = l.weight().factor();
    for (const LineWeight::Choice &choice : LineWeight::kChoices)
        if (choice.factor == s.value)
            s.shortLabel = choice.name;
    return s;
}

void cycleWeight(Lesson &l, const Command &, int)
{
    const LineWeight heavier = l.weight().heavier();
    l.setWeight(heavier == l.weight() ? LineWeight() : heavier);
}

// 並べ方, 自分で並べる, もとにもどす: how the sectors are laid out, or moved by hand.
void appendLayouts(std::vector<Command> &rows, int toolbar)
{
    rows.push_back({.id = "menu.layouts", .label = "並べ方", .mnemonic = 'B', .icon = "layouts", .menu = Menu::Page,
                    .section = kChoices, .opens = Menu::Layouts, .has = animated});
    for (std::size_t i = 0; i < SectorLayouts::kChoices.size(); ++i) {
        const SectorLayouts::Choice &choice = SectorLayouts::kChoices[i];
        rows.push_back({.id = std::string("sectors.layout.") + choice.key, .label = choice.name,
                        .mnemonic = choice.mnemonic, .icon = std::string("layout-") + choice.key,
                        .menu = Menu::Layouts, .family = "sectors.layout", .argument = int(i), .has = animated,
                        .state = [](const Lesson &l, const Command &c, int) {
                            // Marked only where the sectors are, as the practice figures are.
                            return checked(l.page() == l.animatedPage() && !l.handMode() &&
                                           l.sectorLayout() == SectorLayouts::kChoices[std::size_t(c.argument)].layout);
                        },
                        .run = [](Lesson &l, const Command &c, int) {
                            l.setSectorLayout(SectorLayouts::kChoices[std::size_t(c.argument)].layout);
                        }});
    }
    // The toolbar's button shows the layout in use and takes the next; a
    // layout's name would not fit its label.
    rows.push_back({.id = "sectors.layout.next", .label = "次の並べ方", .mnemonic = 'N', .shortLabel = "並べ方",
                    .icon = "layout-next", .keys = {"B"}, .menu = Menu::Layouts, .section = 1, .toolbar = toolbar,
                    .has = animated,
                    .state = [](const Lesson &l, const Command &, int) {
                        CommandState s;
                        for (const SectorLayouts::Choice &choice : SectorLayouts::kChoices)
                            if (choice.layout == l.sectorLayout() && !l.handMode())
                                s.icon = std::string("layout-") + choice.key;
                        return s;
                    },
                    .run = [](Lesson &l, const Command &, int) { l.nextSectorLayout(); }});
    rows.push_back({.id = "sectors.hand", .label = "自分で並べる", .mnemonic = 'J', .shortLabel = "自分で",
                    .icon = "hand", .keys = {"J"}, .menu = Menu::Layouts, .section = 2, .toolbar = toolbar + 1,
                    .tip = "指・ペン・マウスでおうぎ形を動かし、軽くたたくと上下が変わります。もう一度押すと書き込みにもどります",
                    .has = animated,
                    .state = [](const Lesson &l, const Command &, int) { return checked(l.handMode() && l.page() == l.animatedPage()); },
                    .run = [](Lesson &l, const Command &, int) { l.toggleHandMode(); }});
    rows.push_back({.id = "sectors.putBack", .label = "もとにもどす", .mnemonic = 'M', .shortLabel = "もどす",
                    .icon = "put-back", .menu = Menu::Layouts, .section = 2, .toolbar = toolbar + 2,
                    .tip = "もとにもどす: 動かしたおうぎ形をすべて円にもどします",
                    .has = [](const Lesson &l, int page) { return animated(l, page) && l.handMode(); },
                    .run = [](Lesson &l, const Command &, int) { l.returnAllSectors(); }});
}

void appendPens(std::vector<Command> &rows)
{
    int place = kPens;
    for (int i = 0; i < PenPalette::kPenCount; ++i) {
        const PenPalette::Pen &pen = PenPalette::pens()[std::size_t(i)];
        const std::string key = Text::number(i + 1);
        rows.push_back({
            .id = "pen." + key,
            .label = pen.name,
            .mnemonic = pen.mnemonic,
            .shortLabel = pen.name,
            .icon = "pen",
            .keys = {key},
            .menu = Menu::Pens,
            .toolbar = ++place,
            .family = "pen",
            .argument = i,
            .tip = std::string("ペンの色を") + pen.name + "にします",
            .state = [](const Lesson &l, const Command &c, int) {
                CommandState s = checked(!l.erasing() && l.pen(l.page()) == penColour(c));
                s.value = c.argument;
                return s;
            },
            // Picking up a pen puts the eraser down.
            .run = [](Lesson &l, const Command &c, int) {
                l.setErasing(false);
                l.setPen(penColour(c));
            },
        });
    }
}

void appendWeights(std::vector<Command> &rows)
{
    for (const LineWeight::Choice &choice : LineWeight::kChoices) {
        Command row{
            .id = "weight." + Text::number(choice.factor),
            .label = choice.name,
            .mnemonic = choice.mnemonic,
            .shortLabel = choice.name,
            .icon = "weight",
            .menu = Menu::Weight,
            .family = "weight",
            .argument = choice.factor,
            .state = [](const Lesson &l, const Command &c, int) { return checked(l.weight().factor() == c.argument); },
            .run = [](Lesson &l, const Command &c, int) { l.setWeight(weightOf(c.argument)); },
        };
        if (choice.factor == LineWeight().factor())
            row.keys = {"Ctrl+0"};
        rows.push_back(std::move(row));
    }
}

void appendRadii(std::vector<Command> &rows)
{
    for (const int cm : RadiusCm::kChoices)
        rows.push_back({
            .id = "radius." + Text::number(cm),
            .label = Text::number(cm) + " cm",
            .icon = "radius",
            .menu = Menu::Radius,
            .family = "radius",
            .argument = cm,
            .state = [](const Lesson &l, const Command &c, int) { return checked(l.radiusCm() == c.argument); },
            // A radius chosen is a radius to see.
            .run = [](Lesson &l, const Command &c, int) {
                l.setRadiusCm(c.argument);
                l.setRealLengths(true);
            },
        });
}

// Each page shown or hidden, the design's pages at first and the others not.
void appendPages(std::vector<Command> &rows)
{
    rows.push_back({.id = "menu.pages", .label = "表示するページ", .mnemonic = 'T', .icon = "pages", .menu = Menu::Page,
                    .section = kChoices, .opens = Menu::Pages});
    for (int page = 0; page < PageTable::count(); ++page)
        rows.push_back({
            .id = std::string("page.shown.") + PageTable::row(page).id,
            .label = PageTable::row(page).caption,
            .icon = "page",
            .menu = Menu::Pages,
            .family = "page.shown",
            .argument = page,
            .tip = "このページのタブを出す・しまう（一つは残ります）",
            .state = [](const Lesson &l, const Command &c, int) { return checked(l.shown(c.argument)); },
            .run = [](Lesson &l, const Command &c, int) { l.setShown(c.argument, !l.shown(c.argument)); },
        });
}

// The practice figures: choosing one shows its page; a ring or a track takes a second length.
void appendPractice(std::vector<Command> &rows)
{
    rows.push_back({.id = "menu.practice", .label = "練習問題", .mnemonic = 'E', .icon = "practice", .menu = Menu::Page,
                    .section = kChoices, .opens = Menu::Practice});
    const int page = PageTable::find("practice").value_or(-1);
    if (page < 0)
        return;
    const PageRow &row = PageTable::row(page);
    for (int k = 0; k < int(row.choices.size()); ++k)
        rows.push_back({
            .id = "practice." + Text::number(k),
            .label = row.choices[std::size_t(k)],
            .icon = "practice",
            .menu = Menu::Practice,
            .family = "practice",
            .argument = k,
            .state = [](const Lesson &l, const Command &c, int) {
                return checked(l.page() == l.choicePage() && l.choice(l.choicePage()) == c.argument);
            },
            .run = [](Lesson &l, const Command &c, int) { l.openChoice(l.choicePage(), c.argument); },
        });
    rows.push_back({.id = "menu.second", .label = "もう一つの長さ", .mnemonic = 'S', .icon = "second",
                    .menu = Menu::Practice, .section = 1, .opens = Menu::Second, .has = hasSecond});
    for (int cm = PracticeProblem::kMinCm; cm <= PracticeProblem::kMaxCm; ++cm)
        rows.push_back({
            .id = "practice.second." + Text::number(cm),
            .label = Text::number(cm) + " cm",
            .icon = "second",
            .menu = Menu::Second,
            .family = "practice.second",
            .argument = cm,
            .has = hasSecond,
            .state = [](const Lesson &l, const Command &c, int) {
                const std::optional<ValueRange> range = l.secondRange(l.page());
                CommandState s = checked(range && l.second(l.page()) == c.argument);
                s.enabled = range && c.argument >= range->min && c.argument <= range->max;
                return s;
            },
            .run = [](Lesson &l, const Command &c, int) { l.setSecond(l.page(), c.argument); },
        });
}

std::vector<Command> build()
{
    std::vector<Command> rows;
    rows.push_back({.id = "menu.weight", .label = "線の太さ", .mnemonic = 'L', .icon = "weight",
                    .menu = Menu::Page, .section = kChoices, .opens = Menu::Weight});
    appendWeights(rows);
    // Japanese keyboards put + on Shift+;, and many hands press Ctrl+= for it.
    rows.push_back({.id = "weight.heavier", .label = "太く", .mnemonic = 'H', .icon = "heavier",
                    .keys = {"Ctrl++", "Ctrl+=", "Ctrl+;"}, .menu = Menu::Weight, .section = 1,
                    .run = [](Lesson &l, const Command &, int) { l.setWeight(l.weight().heavier()); }});
    rows.push_back({.id = "weight.lighter", .label = "細く", .mnemonic = 'D', .icon = "lighter", .keys = {"Ctrl+-"},
                    .menu = Menu::Weight, .section = 1,
                    .run = [](Lesson &l, const Command &, int) { l.setWeight(l.weight().lighter()); }});
    rows.push_back({.id = "weight.next", .label = "線の太さを変える", .shortLabel = "太さ", .icon = "weight",
                    .toolbar = kAids + 50, .tip = "線とペンの太さを 標準 → 太い → 特大 の順に変えます",
                    .state = weightCycleState, .run = cycleWeight});

    rows.push_back({.id = "menu.pens", .label = "ペンの色", .mnemonic = 'P', .icon = "pen", .menu = Menu::Page,
                    .section = kChoices, .opens = Menu::Pens});
    appendPens(rows);
    rows.push_back({.id = "pen.shared", .label = "すべてのページで同じ色", .mnemonic = 'A', .icon = "shared-pen",
                    .menu = Menu::Pens, .section = 1,
                    .state = [](const Lesson &l, const Command &, int) { return checked(l.sharedPen()); },
                    .run = [](Lesson &l, const Command &, int) { l.setSharedPen(!l.sharedPen()); }});
    rows.push_back({.id = "ink.eraser", .label = "消しゴム", .mnemonic = 'E', .shortLabel = "消しゴム", .icon = "eraser",
                    .keys = {"E"}, .menu = Menu::Pens, .section = 1, .toolbar = kInk + 1,
                    .tip = "なぞった線を丸ごと消します（もう一度押すとペンに戻ります）",
                    .state = [](const Lesson &l, const Command &, int) { return checked(l.erasing()); },
                    .run = [](Lesson &l, const Command &, int) { l.setErasing(!l.erasing()); }});
    rows.push_back({.id = "ink.undo", .label = "元に戻す", .shortLabel = "元に戻す", .icon = "undo", .keys = {"Ctrl+Z"},
                    .toolbar = kInk + 2, .tip = "このページの最後の書き込み・消去を取り消します",
                    .state = [](const Lesson &l, const Command &, int) { return enabled(l.canUndo()); },
                    .run = [](Lesson &l, const Command &, int) { l.undo(); }});
    rows.push_back({.id = "ink.redo", .label = "やり直す", .shortLabel = "やり直し", .icon = "redo",
                    .keys = {"Ctrl+Y", "Ctrl+Shift+Z"}, .toolbar = kInk + 3,
                    .state = [](const Lesson &l, const Command &, int) { return enabled(l.canRedo()); },
                    .run = [](Lesson &l, const Command &, int) { l.redo(); }});
    rows.push_back({.id = "ink.clear", .label = "書き込みを消去", .shortLabel = "消去", .icon = "clear",
                    .toolbar = kInk + 4, .tip = "このページの書き込みを消します（元に戻せます）",
                    .run = [](Lesson &l, const Command &, int) { l.clearInk(); }});

    rows.push_back({.id = "aids", .label = "説明を表示", .mnemonic = 'A', .shortLabel = "説明", .icon = "aids",
                    .keys = {"F2"}, .menu = Menu::Page, .section = kChoices, .toolbar = kAids + 1, .has = hasAids,
                    .state = [](const Lesson &l, const Command &, int) { return checked(l.aidsShown(l.page())); },
                    .run = [](Lesson &l, const Command &, int) { l.toggleAids(); }});
    rows.push_back({.id = "lengths", .label = "長さを cm で表示", .mnemonic = 'C', .shortLabel = "cm", .icon = "cm",
                    .keys = {"C"}, .menu = Menu::Page, .section = kChoices, .toolbar = kAids + 4, .has = hasAids,
                    .state = [](const Lesson &l, const Command &, int) { return checked(l.realLengths()); },
                    .run = [](Lesson &l, const Command &, int) { l.toggleRealLengths(); }});
    rows.push_back({.id = "menu.radius", .label = "円の半径", .mnemonic = 'N', .icon = "radius", .menu = Menu::Page,
                    .section = kChoices, .opens = Menu::Radius});
    appendRadii(rows);
    // One key each, a letter: the function keys are the browser's in a tab.
    rows.push_back({.id = "grid", .label = "方眼を表示", .mnemonic = 'G', .shortLabel = "方眼", .icon = "grid",
                    .keys = {"G"}, .menu = Menu::Page, .section = kChoices, .toolbar = kAids + 2, .has = hasGrid,
                    .state = [](const Lesson &l, const Command &, int) { return checked(l.gridShown()); },
                    .run = [](Lesson &l, const Command &, int) { l.toggleGrid(); }});
    rows.push_back({.id = "squares", .label = "正方形ではさむ", .mnemonic = 'Q', .shortLabel = "正方形", .icon = "squares",
                    .keys = {"Q"}, .menu = Menu::Page, .section = kChoices, .toolbar = kAids + 3, .has = hasSquares,
                    .state = [](const Lesson &l, const Command &, int) { return checked(l.squaresShown()); },
                    .run = [](Lesson &l, const Command &, int) { l.toggleSquares(); }});

    appendPages(rows);
    appendPractice(rows);
    rows.push_back({.id = "menu.steps", .label = "ページと順番", .mnemonic = 'M', .icon = "steps", .menu = Menu::Page,
                    .section = kChoices, .opens = Menu::Steps});
    rows.push_back({.id = "page.next", .label = "次のページ", .mnemonic = 'N', .icon = "page-next",
                    .keys = {"Ctrl+Tab", "Ctrl+PageDown"}, .menu = Menu::Steps,
                    .run = [](Lesson &l, const Command &, int) { l.nextPage(); }});
    rows.push_back({.id = "page.previous", .label = "前のページ", .mnemonic = 'P', .icon = "page-previous",
                    .keys = {"Ctrl+Shift+Tab", "Ctrl+PageUp"}, .menu = Menu::Steps,
                    .run = [](Lesson &l, const Command &, int) { l.previousPage(); }});
    // A presenter's clicker sends Page Down and Page Up.
    rows.push_back({.id = "lesson.next", .label = "次へ（おうぎ形・方眼・公式）", .mnemonic = 'F', .icon = "next",
                    .keys = {"PageDown"}, .menu = Menu::Steps, .section = 1, .has = steps,
                    .run = [](Lesson &l, const Command &, int) { l.stepLesson(1); }});
    rows.push_back({.id = "lesson.back", .label = "前へ（おうぎ形・方眼・公式）", .mnemonic = 'B', .icon = "back",
                    .keys = {"PageUp"}, .menu = Menu::Steps, .section = 1, .has = steps,
                    .run = [](Lesson &l, const Command &, int) { l.stepLesson(-1); }});
    rows.push_back({.id = "sectors.home", .label = "おうぎ形をすべて円に戻す", .mnemonic = 'H', .icon = "home",
                    .keys = {"Home"}, .menu = Menu::Steps, .section = 1, .has = stepping,
                    .run = [](Lesson &l, const Command &, int) { l.returnAllSectors(); }});

    // How the counting and the formula go: kept between runs, beside their steps.
    rows.push_back({.id = "grid.quarter", .label = "円の 1/4 で数える", .mnemonic = 'U',
                    .menu = Menu::Steps, .section = 2, .has = hasGrid,
                    .state = [](const Lesson &l, const Command &, int) { return checked(l.quarterCount()); },
                    .run = [](Lesson &l, const Command &, int) { l.toggleQuarterCount(); }});
    rows.push_back({.id = "formula.diameter", .label = "公式を直径から作る", .mnemonic = 'J',
                    .menu = Menu::Steps, .section = 2, .has = hasFormula,
                    .state = [](const Lesson &l, const Command &, int) { return checked(l.diameterFormula()); },
                    .run = [](Lesson &l, const Command &, int) { l.toggleDiameterFormula(); }});
    rows.push_back({.id = "value.down", .label = "値を一つ減らす", .shortLabel = "減らす", .icon = "value-down",
                    .toolbar = kSteps + 1, .has = hasValue,
                    .state = [](const Lesson &l, const Command &, int) {
                        return enabled(hasValue(l, l.page()) && l.value(l.page()) > l.row(l.page()).range->min);
                    },
                    .run = [](Lesson &l, const Command &, int) { l.setValue(l.page(), l.value(l.page()) - 1); }});
    rows.push_back({.id = "value.up", .label = "値を一つ増やす", .shortLabel = "増やす", .icon = "value-up",
                    .toolbar = kSteps + 2, .has = hasValue,
                    .state = [](const Lesson &l, const Command &, int) {
                        return enabled(hasValue(l, l.page()) && l.value(l.page()) < l.row(l.page()).range->max);
                    },
                    .run = [](Lesson &l, const Command &, int) { l.setValue(l.page(), l.value(l.page()) + 1); }});
    rows.push_back({.id = "sectors.back", .label = "おうぎ形を一つ戻す", .shortLabel = "一つ戻す", .icon = "sector-back",
                    .toolbar = kSteps + 3, .has = animated,
                    .state = [](const Lesson &l, const Command &, int) { return enabled(l.step() > 0 && !l.handMode()); },
                    .run = [](Lesson &l, const Command &, int) { l.stepSectors(-1); }});
    rows.push_back({.id = "sectors.next", .label = "おうぎ形を一つ進める", .shortLabel = "一つ進む", .icon = "sector-next",
                    .toolbar = kSteps + 4, .has = animated,
                    .state = [](const Lesson &l, const Command &, int) {
                        return enabled(l.step() < l.sectors() && !l.handMode());
                    },
                    .run = [](Lesson &l, const Command &, int) { l.stepSectors(1); }});
    rows.push_back({.id = "start", .label = "おうぎ形の並べ替えを開始・一時停止・再開", .shortLabel = "開始",
                    .icon = "start", .toolbar = kSteps + 5, .has = animated, .state = startState,
                    .run = [](Lesson &l, const Command &, int) { l.pressStart(); }});
    rows.push_back({.id = "formula.back", .label = "公式を一行消す", .shortLabel = "一行消す", .icon = "formula-back",
                    .toolbar = kSteps + 6, .has = hasFormula,
                    .state = [](const Lesson &l, const Command &, int) { return enabled(l.formulaLines() > 0); },
                    .run = [](Lesson &l, const Command &, int) { l.stepFormula(-1); }});
    rows.push_back({.id = "formula.next", .label = "公式を一行書く", .shortLabel = "一行書く", .icon = "formula-next",
                    .toolbar = kSteps + 7, .tip = "説明を表示して、おうぎ形がすべて並んだあとに使えます",
                    .has = hasFormula,
                    .state = [](const Lesson &l, const Command &, int) {
                        return enabled(l.formulaReady() && l.formulaLines() < l.formulaLineCount());
                    },
                    .run = [](Lesson &l, const Command &, int) { l.stepFormula(1); }});
    rows.push_back({.id = "count.back", .label = "方眼の数えを一つ戻す", .shortLabel = "数え戻す", .icon = "count-back",
                    .toolbar = kSteps + 8, .has = hasGrid,
                    .state = [](const Lesson &l, const Command &, int) {
                        return enabled(l.countingReady(l.page()) && l.paperStep(l.page()) > PageView::PaperAlone);
                    },
                    .run = [](Lesson &l, const Command &, int) { l.stepCounting(-1); }});
    rows.push_back({.id = "count.next", .label = "方眼を一つ進めて数える", .shortLabel = "数える", .icon = "count-next",
                    .toolbar = kSteps + 9, .tip = "中の正方形 → 円周がかかる正方形 → 個数 → 面積の見当 の順に示します",
                    .has = hasGrid,
                    .state = [](const Lesson &l, const Command &, int) {
                        return enabled(l.countingReady(l.page()) && l.paperStep(l.page()) < PageView::Estimated);
                    },
                    .run = [](Lesson &l, const Command &, int) { l.stepCounting(1); }});

    appendLayouts(rows, kSteps + 8);

    rows.push_back({.id = "menu.screen", .label = "画面", .mnemonic = 'V', .icon = "full-screen", .menu = Menu::Page,
                    .section = kScreenSection, .opens = Menu::Screen});
    rows.push_back({.id = "window.fullScreen", .label = "全画面表示", .mnemonic = 'F', .shortLabel = "全画面",
                    .icon = "full-screen", .keys = {"F11"}, .menu = Menu::Screen, .toolbar = kScreen + 1});
    rows.push_back({.id = "window.leaveFullScreen", .label = "全画面を終了", .mnemonic = 'W', .icon = "leave-full-screen",
                    .keys = {"Escape"}, .menu = Menu::Screen});
    // Its argument: whether the front-end's screen is a classroom's.
    rows.push_back({.id = "window.toolbar", .label = "ツールバー", .mnemonic = 'T', .icon = "toolbar",
                    .menu = Menu::Screen, .section = 1,
                    .state = [](const Lesson &l, const Command &, int classroom) {
                        return checked(l.toolbarShown(classroom != 0));
                    },
                    .run = [](Lesson &l, const Command &, int classroom) { l.toggleToolbar(classroom != 0); }});
    rows.push_back({.id = "menu.files", .label = "保存と印刷", .mnemonic = 'S', .icon = "print", .menu = Menu::Page,
                    .section = kScreenSection, .opens = Menu::Files});
    rows.push_back({.id = "file.saveImage", .label = "画像として保存…", .mnemonic = 'S', .shortLabel = "画像保存",
                    .icon = "save-image", .keys = {"Ctrl+S"}, .menu = Menu::Files, .toolbar = kScreen + 3,
                    .tip = "このページを画面のとおり PNG 画像にします"});
    rows.push_back({.id = "file.print", .label = "印刷…", .mnemonic = 'I', .shortLabel = "印刷", .icon = "print",
                    .keys = {"Ctrl+P"}, .menu = Menu::Files, .toolbar = kScreen + 2});
    rows.push_back({.id = "file.savePdf", .label = "PDFとして保存…", .mnemonic = 'D', .icon = "save-pdf",
                    .menu = Menu::Files});
    rows.push_back({.id = "file.printCutOut", .label = "切り取り用の円を印刷…", .mnemonic = 'K', .icon = "cut-out",
                    .menu = Menu::Files, .section = 1});
    rows.push_back({.id = "board.restore", .label = "前回の書き込みを復元", .mnemonic = 'R', .icon = "restore",
                    .menu = Menu::Page, .section = kBoard});
    appendClass(rows);
    rows.push_back({.id = "help", .label = "使い方", .mnemonic = 'H', .shortLabel = "使い方", .icon = "help",
                    .keys = {"F1"}, .menu = Menu::Page, .section = kHelp, .toolbar = kScreen + 4});
    rows.push_back({.id = "menu.open", .label = "メニューを開く", .shortLabel = "メニュー", .icon = "menu",
                    .keys = {"Menu", "Shift+F10"}, .toolbar = kScreen + 5,
                    .tip = "図を長押ししても開きます"});
    return rows;
}

} // namespace

const std::vector<Command> &rows()
{
    static const std::vector<Command> kRows = build();
    return kRows;
}

const Command *find(std::string_view id)
{
    for (const Command &c : rows())
        if (c.id == id)
            return &c;
    return nullptr;
}

std::vector<const Command *> menu(Menu list)
{
    std::vector<const Command *> out;
    for (const Command &c : rows())
        if (c.menu == list)
            out.push_back(&c);
    return out;
}

std::vector<const Command *> toolbar()
{
    std::vector<const Command *> out;
    for (const Command &c : rows())
        if (c.toolbar > 0)
            out.push_back(&c);
    std::stable_sort(out.begin(), out.end(), [](const Command *a, const Command *b) { return a->toolbar < b->toolbar; });
    return out;
}

CommandState state(const Lesson &lesson, const Command &command, int argument)
{
    CommandState s = command.state ? command.state(lesson, command, argument) : CommandState();
    s.available = !command.has || command.has(lesson, lesson.page());
    s.enabled = s.enabled && s.available;
    if (s.shortLabel.empty())
        s.shortLabel = command.shortLabel;
    if (s.icon.empty())
        s.icon = command.icon;
    return s;
}

bool run(Lesson &lesson, std::string_view id, int argument)
{
    const Command *command = find(id);
    if (!command || !command->run || !state(lesson, *command, argument).enabled)
        return false;
    command->run(lesson, *command, argument);
    return true;
}

} // namespace core::CommandTable
