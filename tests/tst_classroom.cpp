#include "ClassroomToolbar.h"
#include "CommandActions.h"
#include "CommandTable.h"
#include "FullScreen.h"
#include "HelpOverlay.h"
#include "PageMenu.h"
#include "ParallelogramFigure.h"
#include "PictureBox.h"
#include "Scriba.h"
#include "PenPalette.h"
#include "ToolButton.h"
#include "WindowFixture.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

// The classroom toolbar: every command of the table given by touch alone,
// and buttons a finger hits and letters the back row reads.
class TestClassroom : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void everyCommandByTouch();
    void sizesAt1080p();
    void fingerErases();

private:
    void tap(QWidget *widget, QPoint at);
    void perform(const core::Command &command);
    std::unique_ptr<Tamsel> w;
    std::unique_ptr<QPointingDevice> finger;
};

namespace {
constexpr int kFullHdWidth = 1920, kFullHdHeight = 1080;

// All the lesson shows that a command may change, pages' ink included.
QString shown(const core::Lesson &l)
{
    QString s = QString("page %1 step %2 lines %3 running %4 weight %5 shared %6 erasing %7 cm %8/%9 grid %10 "
                        "squares %11 toolbar %12 quarter %13 diameter %14 layout %15 hand %16 out %17 |")
                    .arg(l.page()).arg(l.step()).arg(l.formulaLines()).arg(l.running()).arg(l.weight().factor())
                    .arg(l.sharedPen()).arg(l.erasing()).arg(l.realLengths()).arg(l.radiusCm()).arg(l.gridShown())
                    .arg(l.squaresShown()).arg(int(l.toolbar())).arg(l.quarterCount()).arg(l.diameterFormula())
                    .arg(int(l.sectorLayout())).arg(l.handMode())
                    .arg(std::ranges::count_if(l.arrangement().poses, [](const auto &pose) { return pose.has_value(); }));
    for (int p = 0; p < l.pageCount(); ++p)
        s += QString(" %1:%2 %3 %4 ink %5/%6/%7 shown %8 figure %9/%10 step %11 counted %12").arg(p).arg(l.value(p))
                 .arg(l.aidsShown(p)).arg(QString::fromStdString(l.pen(p).name())).arg(l.ink(p).strokes().size())
                 .arg(l.ink(p).undoDepth()).arg(l.ink(p).redoDepth()).arg(l.shown(p)).arg(l.choice(p))
                 .arg(l.second(p)).arg(l.step(p)).arg(l.paperStep(p));
    return s;
}

void stroke(core::Lesson &l)
{
    const int page = l.page();
    l.ink().resize(page, core::Size(200, 200), 1);
    l.ink().place(page, core::Rect(0, 0, 200, 200));
    l.ink().begin(page, 1, {10, 10}, 1);
    l.ink().extend(page, 1, {90, 90}, 1);
    l.ink().end(page, 1);
}

void run(core::Lesson &l, const std::string &id) { QVERIFY2(core::CommandTable::run(l, id, 1), id.c_str()); }

// What makes each command change something, on both lessons alike.
void prepare(core::Lesson &l, const core::Command &c)
{
    const std::string &id = c.id;
    l.setErasing(false);
    if (id == "weight.1" || id == "weight.lighter")
        run(l, "weight.2");
    else if (c.family == "weight" || id == "weight.heavier")
        run(l, "weight.1");
    else if (c.family == "pen")
        run(l, "pen." + std::to_string((c.argument + 1) % core::PenPalette::kPenCount + 1));
    else if (c.family == "radius") {
        run(l, c.argument == core::RadiusCm::kChoices.front() ? "radius.10" : "radius.5");
        l.setRealLengths(false);
    } else if (id == "ink.undo" || id == "ink.clear" || id == "ink.redo") {
        stroke(l);
        if (id == "ink.redo")
            run(l, "ink.undo");
    } else if (id == "value.down" || id == "value.up") {
        l.setValue(l.page(), l.row(l.page()).range->min + 1);
    } else if (id == "lesson.back" || id == "sectors.back" || id == "sectors.home") {
        l.stepLesson(1);
    } else if (c.family == "page.shown") {
        for (int p = 0; p < l.pageCount(); ++p)
            l.setShown(p, true);
    } else if (c.family == "practice") {
        l.setChoice(l.choicePage(), (c.argument + 1) % int(l.row(l.choicePage()).choices.size()));
    } else if (c.family == "practice.second") {
        // The longest first length leaves every second one the figure takes free.
        l.setValue(l.page(), l.row(l.page()).range->max);
        l.setSecond(l.page(), c.argument == 1 ? 2 : 1);
    } else if (c.family == "sectors.layout") {
        run(l, c.argument == 0 ? "sectors.layout.rectangle" : "sectors.layout.parallelogram");
    } else if (id == "sectors.putBack") {
        // The first sector taken from halfway along its middle and let go beside the circle.
        const core::ParallelogramFigure f = core::ParallelogramFigure::compute(600, 300, l.value(l.page()), 0);
        const double axis = 2 * M_PI - f.theta / 2;
        const core::PointF at = core::PointF(f.centre) + core::PointF(std::cos(axis), -std::sin(axis)) * (f.R / 2);
        QVERIFY(l.grabSector(1, at, core::Size(600, 300)));
        QVERIFY(l.moveSector(1, at + core::PointF(2 * f.R, 0), core::Size(600, 300)) && l.dropSector(1));
    } else if (id == "formula.next" || id == "formula.back") {
        if (!l.aidsShown(l.page()))
            run(l, "aids");
        l.stepSectors(l.sectors());
        if (id == "formula.back")
            run(l, "formula.next");
    } else if (id == "count.next" || id == "count.back") {
        l.setGrid(true);
        if (!l.aidsShown(l.page()))
            run(l, "aids");
        l.stepSectors(l.page() == l.animatedPage() ? l.sectors() : 0);
        if (id == "count.back")
            run(l, "count.next");
    }
}

} // namespace

void TestClassroom::init()
{
    w = std::make_unique<Tamsel>();
    finger.reset(QTest::createTouchDevice());
    w->setGeometry(0, 0, kFullHdWidth, kFullHdHeight);
    w->lesson().toggleToolbar(false);
    QVERIFY(showWindow(*w));
    QVERIFY(w->classroom());
}

void TestClassroom::cleanup() { w.reset(); }

void TestClassroom::tap(QWidget *widget, QPoint at)
{
    QTest::touchEvent(widget, finger.get()).press(0, at, widget);
    QTest::touchEvent(widget, finger.get()).release(0, at, widget);
    QCoreApplication::processEvents();
}

// By its toolbar button, or else through the menu the menu button opens.
void TestClassroom::perform(const core::Command &c)
{
    for (ToolButton *button : w->toolbar()->buttons())
        if (&button->command() == &c && button->isVisible())
            return tap(button, button->rect().center());
    for (ToolButton *button : w->toolbar()->buttons())
        if (button->command().id == "menu.open")
            tap(button, button->rect().center());
    QMenu *menu = w->pageMenu()->menu();
    QTRY_VERIFY(menu->isVisible());
    QAction *action = w->commands().action(c.id);
    // Down through the submenus that lead to it, however deep.
    const std::function<bool(QMenu *)> leadsTo = [&](QMenu *m) {
        const QList<QAction *> items = m->actions();
        return items.contains(action) ||
               std::any_of(items.begin(), items.end(), [&](QAction *a) { return a->menu() && leadsTo(a->menu()); });
    };
    while (!menu->actions().contains(action)) {
        QAction *item = nullptr;
        for (QAction *a : menu->actions())
            if (a->menu() && leadsTo(a->menu()))
                item = a;
        QVERIFY2(item, c.id.c_str());
        tap(menu, menu->actionGeometry(item).center());
        menu = item->menu();
        QTRY_VERIFY(menu->isVisible());
    }
    tap(menu, menu->actionGeometry(action).center());
}

// Each command on each page that has it, by touch alone; a command the core
// runs leaves the lesson as the same command given to the core directly.
void TestClassroom::everyCommandByTouch()
{
    core::Lesson &lesson = w->lesson();
    core::Lesson reference;
    reference.restoreChoices(lesson.choices());
    // The window's own commands would open dialogs; here they only say they were asked for.
    PageMenu *menu = w->pageMenu();
    for (auto signal : {&PageMenu::saveImageRequested, &PageMenu::printRequested, &PageMenu::savePdfRequested,
                        &PageMenu::printCutOutRequested})
        QObject::disconnect(menu, signal, nullptr, nullptr);
    for (core::Lesson *l : {&lesson, &reference})
        for (int p = 0; p < l->pageCount(); ++p)
            l->setShown(p, true);
    int performed = 0;
    for (int page = 0; page < lesson.pageCount(); ++page)
        for (const core::Command &c : core::CommandTable::rows()) {
            if (c.opens != core::Menu::None || !w->commands().action(c.id))
                continue;
            lesson.showPage(page);
            reference.showPage(page);
            if (!core::CommandTable::state(lesson, c).available)
                continue;
            prepare(lesson, c);
            prepare(reference, c);
            // A second length the figure cannot take is offered greyed.
            if (c.family == "practice.second" && !core::CommandTable::state(lesson, c).enabled)
                continue;
            QCOMPARE(shown(lesson), shown(reference));
            const QString before = shown(lesson);
            if (c.id == "window.leaveFullScreen")
                w->fullScreen().toggle();
            std::vector<std::unique_ptr<QSignalSpy>> spies;
            for (auto signal : {&PageMenu::saveImageRequested, &PageMenu::printRequested, &PageMenu::savePdfRequested,
                                &PageMenu::printCutOutRequested, &PageMenu::restoreRequested,
                                &PageMenu::shareClassRequested, &PageMenu::joinClassRequested})
                spies.push_back(std::make_unique<QSignalSpy>(menu, signal));
            perform(c);
            ++performed;
            if (c.run) {
                run(reference, c.id);
                QVERIFY2(shown(lesson) != before, c.id.c_str());
                QCOMPARE(shown(lesson), shown(reference));
            } else if (c.id == "help") {
                QTRY_VERIFY(w->help()->isVisible());
                tap(w->help(), w->help()->rect().center());
                QVERIFY(!w->help()->isVisible());
            } else if (c.id == "menu.open") {
                QTRY_VERIFY(menu->menu()->isVisible());
                menu->menu()->close();
            } else if (c.id == "window.fullScreen" || c.id == "window.leaveFullScreen") {
                QTRY_COMPARE(w->fullScreen().active(), c.id == "window.fullScreen");
                if (w->fullScreen().active())
                    w->fullScreen().toggle();
            } else {
                int asked = 0;
                for (const auto &spy : spies)
                    asked += int(spy->count());
                QVERIFY2(asked == 1, c.id.c_str());
            }
            // The toolbar put away by touch, or a page hidden, comes back for the next command.
            if (c.id == "window.toolbar" || c.family == "page.shown") {
                run(lesson, c.id);
                run(reference, c.id);
            }
            lesson.pause();
            reference.pause();
            QTRY_VERIFY(!menu->menu()->isVisible());
        }
    QVERIFY(performed > int(core::CommandTable::rows().size()));
}

// Measured on the window's pixels: each button's frame at least 64 px across,
// each label's letters at least 40 px high (cm, in Latin letters, aside).
void TestClassroom::sizesAt1080p()
{
    const QImage screen = w->grab().toImage();
    // Ink: at least half covered, black letters on the button's near-white face.
    constexpr int kHalfInk = 124;
    constexpr int kTabFramePx = 4;
    int measured = 0;
    for (ToolButton *button : w->toolbar()->buttons()) {
        if (!button->isVisible() || !button->isEnabled())
            continue;
        const QRect r(button->mapTo(w.get(), QPoint()), button->size());
        // The frame: the outermost columns and rows that differ from the toolbar's ground.
        const QRgb ground = screen.pixel(r.left() - 1, r.center().y());
        int left = r.right(), right = r.left(), top = r.bottom(), bottom = r.top();
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (screen.pixel(x, y) != ground) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
        QVERIFY2(right - left + 1 >= 64 && bottom - top + 1 >= 64, qPrintable(button->text()));
        // The letters: the rows the button's picture has inked only with its label.
        const QString label = button->text();
        const QImage with = button->grab().toImage();
        button->setText(QString());
        const QImage without = button->grab().toImage();
        button->setText(label);
        int first = with.height(), last = -1;
        for (int y = 0; y < with.height(); ++y)
            for (int x = 0; x < with.width(); ++x)
                if (qGray(with.pixel(x, y)) < kHalfInk && qGray(without.pixel(x, y)) >= kHalfInk) {
                    first = std::min(first, y);
                    last = std::max(last, y);
                }
        if (label != "cm")
            QVERIFY2(last - first + 1 >= 40, qPrintable(QString("%1: %2 px").arg(label).arg(last - first + 1)));
        ++measured;
    }
    QVERIFY(measured > 10);
    // The tabs' captions as well: the inked rows inside each tab, its frame left out.
    QTabBar *tabs = w->findChild<QTabBar *>();
    const QImage bar = tabs->grab().toImage();
    for (int i = 0; i < tabs->count(); ++i) {
        const QRect t = tabs->tabRect(i).adjusted(kTabFramePx, kTabFramePx, -kTabFramePx, -kTabFramePx);
        int first = t.bottom(), last = t.top() - 1;
        for (int y = t.top(); y <= t.bottom() && tabs->isTabVisible(i); ++y)
            for (int x = t.left(); x <= t.right(); ++x)
                if (qGray(bar.pixel(x, y)) < kHalfInk)
                    first = std::min(first, y), last = std::max(last, y);
        QVERIFY2(!tabs->isTabVisible(i) || last - first + 1 >= 40,
                 qPrintable(QString("%1: %2 px").arg(tabs->tabText(i)).arg(last - first + 1)));
    }
    // Never over the figure.
    const QRect picture(w->picture(w->lesson().page())->mapTo(w.get(), QPoint()), w->picture(w->lesson().page())->size());
    QVERIFY(!w->toolbar()->geometry().intersects(picture));
}

// With the eraser taken up, a finger takes what it crosses, one step for one undo.
void TestClassroom::fingerErases()
{
    core::Lesson &lesson = w->lesson();
    lesson.showPage(3);
    QWidget *overlay = w->Scriba[3];
    const QPoint middle = overlay->rect().center();
    const auto swipe = [&](QPoint from, QPoint by) {
        QTest::touchEvent(overlay, finger.get()).press(0, from, overlay);
        for (int i = 1; i <= 4; ++i)
            QTest::touchEvent(overlay, finger.get()).move(0, from + by * i / 4, overlay);
        QTest::touchEvent(overlay, finger.get()).release(0, from + by, overlay);
    };
    swipe(middle - QPoint(80, 0), QPoint(160, 0));
    const std::size_t drawn = lesson.ink(3).strokes().size();
    for (ToolButton *button : w->toolbar()->buttons())
        if (button->command().id == "ink.eraser")
            tap(button, button->rect().center());
    swipe(middle - QPoint(0, 40), QPoint(0, 80));
    QCOMPARE(QList<std::size_t>({drawn, lesson.ink(3).strokes().size()}), QList<std::size_t>({1, 0}));
    for (ToolButton *button : w->toolbar()->buttons())
        if (button->command().id == "ink.undo")
            tap(button, button->rect().center());
    QCOMPARE(lesson.ink(3).strokes().size(), std::size_t(1));
}

QTEST_MAIN(TestClassroom)
#include "tst_classroom.moc"
