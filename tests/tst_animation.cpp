#include "Convert.h"
#include "ParallelogramFigure.h"
#include "PictureBox.h"
#include "Scriba.h"
#include "ScrollBar.h"
#include "TabControl.h"
#include "Timer.h"
#include "WindowFixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <cmath>
#include <functional>

using namespace core;

namespace {

// Sector j of N lies in the circle around the direction 360° − (j + ½)·θ,
// θ = 360.01°/N, counted counter-clockwise on the screen from 3 o'clock.
PointF inSector(const ParallelogramFigure &f, int j)
{
    const double axis = 2 * M_PI - (j + 0.5) * (360.01 / f.sectors) * M_PI / 180;
    return PointF(f.centre) + PointF(std::cos(axis), -std::sin(axis)) * (0.7 * f.R);
}

PointF apexOf(const Lesson &lesson, int j, const Similarity &frame) { return frame.map(lesson.arrangement().poses[j]->apex); }

bool within(PointF a, PointF b, double px) { return std::abs(a.x() - b.x()) <= px && std::abs(a.y() - b.y()) <= px; }

} // namespace

// The run state of page 2, driven through the real handlers; ticks are
// delivered by the test, and only while the timer is on, as the timer would.
class TestAnimation : public QObject
{
    Q_OBJECT
private slots:
    void stateTable_data();
    void stateTable();
    void fullRunRepaintsOncePerTick();
    void handBuildsTheAnimatedFigure_data();
    void handBuildsTheAnimatedFigure();
    void tapsAndDrops();
    void arrangementFromElsewhere_data();
    void arrangementFromElsewhere();
    void twoFingersOnTheWindow();

private:
    static void play(Tamsel &w, const QString &events);
};

// b: button, t: tick, s: scroll bar change, p: page away and back, r: resize.
void TestAnimation::play(Tamsel &w, const QString &events)
{
    for (QChar e : events) {
        switch (e.toLatin1()) {
        case 'b':
            w.ccButton->click();
            break;
        case 't':
            QVERIFY2(w.MainTimer->Enabled(), "a tick only comes while the timer runs");
            QVERIFY2(w.lesson().step() < 2 * w.ccScroll->value(), "no tick starts from N");
            w.MainTimer_Timer();
            break;
        case 's':
            w.ccScroll->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            break;
        case 'p':
            w.MainTab->setTab(0);
            w.MainTab->setTab(2);
            break;
        case 'r':
            w.resize(w.width() + 1, w.height());
            break;
        }
    }
}

void TestAnimation::stateTable_data()
{
    QTest::addColumn<QString>("events");
    QTest::addColumn<bool>("running");
    QTest::addColumn<int>("step");
    const QString run8 = "b" + QString(8, 't');
    QTest::newRow("at rest") << "" << false << 0;
    QTest::newRow("button starts") << "b" << true << 0;
    QTest::newRow("press before the first tick returns to rest") << "bb" << false << 0;
    QTest::newRow("tick moves one sector") << "bt" << true << 1;
    QTest::newRow("button pauses") << "btb" << false << 1;
    QTest::newRow("button resumes from the same sector") << "btbbt" << true << 2;
    QTest::newRow("eighth tick finishes") << run8 << false << 8;
    QTest::newRow("button on finished restarts from 0") << run8 + "b" << true << 0;
    QTest::newRow("restart then tick") << run8 + "bt" << true << 1;
    QTest::newRow("scroll change during run resets") << "btts" << false << 0;
    QTest::newRow("scroll change when paused resets") << "bttbs" << false << 0;
    QTest::newRow("page change pauses and keeps step") << "bttp" << false << 2;
    QTest::newRow("resize pauses and keeps step") << "bttr" << false << 2;
    QTest::newRow("button resumes after page change") << "bttpbt" << true << 3;
    QTest::newRow("page change at rest stays at rest") << "bp" << false << 0;
}

void TestAnimation::stateTable()
{
    QFETCH(QString, events);
    QFETCH(bool, running);
    QFETCH(int, step);
    Tamsel w;
    QVERIFY(showWindow(w));
    w.MainTab->setTab(2);
    play(w, events);
    QCOMPARE(w.MainTimer->Enabled(), running);
    QCOMPARE(w.lesson().step(), step);
    QCOMPARE(w.ccButton->text(), QStringLiteral("開始"));
    QCOMPARE(w.ccLabel->text(), QString::number(2 * w.ccScroll->value()));
}

void TestAnimation::fullRunRepaintsOncePerTick()
{
    Tamsel w;
    QVERIFY(showWindow(w));
    w.MainTab->setTab(2);
    w.ccScroll->setValue(32);
    QCOMPARE(w.ccLabel->text(), QStringLiteral("64"));
    w.ccButton->click();
    PaintCounter paints;
    int ticks = 0;
    while (w.MainTimer->Enabled() && ticks < 100) {
        w.MainTimer_Timer();
        ++ticks;
    }
    QCOMPARE(ticks, 64);
    QCOMPARE(paints.of(w.ccPic), 64);
    QCOMPARE(w.lesson().step(), 64);
    QVERIFY(!w.MainTimer->Enabled());
}

void TestAnimation::handBuildsTheAnimatedFigure_data()
{
    QTest::addColumn<QSize>("area");
    QTest::addColumn<int>("half");
    QTest::newRow("design, 4 sectors") << QSize(526, 370) << 2;
    QTest::newRow("design, 16 sectors") << QSize(526, 370) << 8;
    QTest::newRow("1920x1080 client, 64 sectors") << QSize(1898, 981) << 32;
    QTest::newRow("3840x2160 client, 64 sectors") << QSize(3818, 2061) << 32;
}

// Each sector taken from the circle in the animation's order, turned over and
// let go a few pixels off its place (the first exactly on it) meets its
// neighbours where the animation puts it, to the pixel; every drop is a step.
void TestAnimation::handBuildsTheAnimatedFigure()
{
    QFETCH(QSize, area);
    QFETCH(int, half);
    Lesson lesson;
    lesson.showPage(lesson.animatedPage());
    lesson.setValue(lesson.animatedPage(), half);
    lesson.setHandMode(true);
    const Size inner(area.width(), area.height());
    const ParallelogramFigure done = ParallelogramFigure::compute(area.width(), area.height(), half, 2 * half);
    const Similarity frame = ParallelogramFigure::frame(area.width(), area.height());
    const PointerId finger = 7;
    for (int j = 0; j < done.sectors; ++j) {
        const PointF at = inSector(done, j);
        QVERIFY(lesson.grabSector(finger, at, inner));
        QVERIFY(lesson.flipSector(finger));
        const PointF off = j == 0 ? PointF() : PointF(3, -2);
        QVERIFY(lesson.moveSector(finger, at + PointF(done.moved[j].apex) - apexOf(lesson, j, frame) + off, inner));
        QVERIFY(lesson.dropSector(finger));
    }
    for (int j = 0; j < done.sectors; ++j) {
        const PointF apex = apexOf(lesson, j, frame);
        QVERIFY2(within(apex, PointF(done.moved[j].apex), 1),
                 qPrintable(QString("sector %1 at %2, %3").arg(j).arg(apex.x()).arg(apex.y())));
        // The middle of its arc: above its apex in the lower row, below it in the upper.
        const double axis = lesson.arrangement().poses[j]->axis();
        const PointF arc = apex + PointF(std::cos(axis), -std::sin(axis)) * done.R;
        QVERIFY(within(arc, PointF(done.moved[j].apex) + PointF(0, j < half ? -done.R : done.R), 1));
    }
    const SectorArrangement built = lesson.arrangement();
    QVERIFY(lesson.canUndo() && !lesson.canRedo());
    for (int j = 0; j < done.sectors; ++j)
        QVERIFY(lesson.undo());
    QCOMPARE(lesson.arrangement(), SectorArrangement::inCircle(done.sectors));
    QVERIFY(!lesson.canUndo() && lesson.canRedo());
    QVERIFY(!lesson.undo());
    for (int j = 0; j < done.sectors; ++j)
        QVERIFY(lesson.redo());
    QCOMPARE(lesson.arrangement(), built);
}

// A tap leaves a sector in the circle, and turns one outside it over where it
// lies; one let go over the circle goes home; 「もとにもどす」 is one step.
void TestAnimation::tapsAndDrops()
{
    Lesson lesson;
    const int page = lesson.animatedPage();
    lesson.showPage(page);
    lesson.setHandMode(true);
    const Size inner(600, 300);
    const ParallelogramFigure f = ParallelogramFigure::compute(600, 300, lesson.value(page), 0);
    const Similarity frame = ParallelogramFigure::frame(600, 300);
    const PointF at = inSector(f, 0);
    // Points no screen gives take nothing.
    for (const PointF nowhere : {PointF(std::nan(""), 0), PointF(1e300, 0), PointF(0, -1e12)})
        QVERIFY(!lesson.grabSector(1, nowhere, inner));
    QVERIFY(lesson.grabSector(1, at, inner) && lesson.dropSector(1));
    QVERIFY(!lesson.arrangement().out(0) && !lesson.undo());
    QVERIFY(lesson.grabSector(1, at, inner));
    QVERIFY(lesson.moveSector(1, at + PointF(300, 0), inner) && lesson.dropSector(1));
    const SectorPose before = *lesson.arrangement().poses[0];
    const PointF tap = frame.map(before.apex) + PointF(std::cos(before.axis()), -std::sin(before.axis())) * (f.R / 2);
    QVERIFY(lesson.grabSector(1, tap, inner) && lesson.dropSector(1));
    const SectorPose after = *lesson.arrangement().poses[0];
    QVERIFY(after.flipped && !before.flipped);
    QVERIFY(within(frame.map(after.apex), frame.map(before.apex) + PointF(std::cos(before.axis()), -std::sin(before.axis())) * f.R, 1e-6));
    QVERIFY(lesson.grabSector(1, tap, inner));
    QVERIFY(lesson.moveSector(1, PointF(f.centre) + PointF(0, f.R / 4), inner) && lesson.dropSector(1));
    QVERIFY(!lesson.arrangement().out(0));
    QVERIFY(lesson.grabSector(2, inSector(f, 3), inner) && lesson.moveSector(2, PointF(500, 150), inner));
    QVERIFY(lesson.dropSector(2) && lesson.grabSector(2, inSector(f, 5), inner));
    lesson.returnAllSectors();
    QCOMPARE(lesson.arrangement(), SectorArrangement::inCircle(f.sectors));
    QVERIFY(!lesson.holdsSector(2));
    QVERIFY(lesson.undo());
    QVERIFY(lesson.arrangement().out(3) && !lesson.arrangement().out(5) && !lesson.arrangement().out(0));
}

void TestAnimation::arrangementFromElsewhere_data()
{
    using Spoil = std::function<void(SectorArrangement &)>;
    QTest::addColumn<Spoil>("spoil");
    QTest::addColumn<bool>("shown");
    QTest::newRow("as it came") << Spoil([](SectorArrangement &) {}) << true;
    QTest::newRow("another count") << Spoil([](SectorArrangement &a) { a.poses.pop_back(); }) << false;
    QTest::newRow("a count past 64") << Spoil([](SectorArrangement &a) { a.poses.resize(66); }) << false;
    QTest::newRow("not a number") << Spoil([](SectorArrangement &a) { a.poses[0]->apex.rx() = std::nan(""); }) << false;
    QTest::newRow("far out") << Spoil([](SectorArrangement &a) { a.poses[0]->apex.ry() = 1e9; }) << false;
    QTest::newRow("a turn past 360°") << Spoil([](SectorArrangement &a) { a.poses[0]->angle = 7; }) << false;
    QTest::newRow("stacked twice") << Spoil([](SectorArrangement &a) { a.stack.push_back(a.stack.front()); }) << false;
    QTest::newRow("out, not stacked") << Spoil([](SectorArrangement &a) { a.stack.pop_back(); }) << false;
    QTest::newRow("stacked, in the circle") << Spoil([](SectorArrangement &a) { a.stack.push_back(5); }) << false;
}

// A pupil's arrangement arrives as a plain value: shown as it is, or refused whole.
void TestAnimation::arrangementFromElsewhere()
{
    QFETCH(std::function<void(SectorArrangement &)>, spoil);
    QFETCH(bool, shown);
    Lesson pupil, teacher;
    for (Lesson *l : {&pupil, &teacher}) {
        l->showPage(l->animatedPage());
        l->setHandMode(true);
    }
    const ParallelogramFigure f = ParallelogramFigure::compute(600, 300, pupil.value(pupil.animatedPage()), 0);
    for (int j : {0, 1}) {
        QVERIFY(pupil.grabSector(1, inSector(f, j), Size(600, 300)));
        QVERIFY(pupil.moveSector(1, PointF(300 + 60 * j, 150), Size(600, 300)) && pupil.dropSector(1));
    }
    SectorArrangement sent = pupil.arrangement();
    spoil(sent);
    QCOMPARE(teacher.showArrangement(sent), shown);
    QCOMPARE(teacher.arrangement(), shown ? pupil.arrangement() : SectorArrangement::inCircle(f.sectors));
}

// Two pupils at the display: each finger takes its own sector and moves it
// while the other does; a tap turns one over; let go by the other, it meets it.
void TestAnimation::twoFingersOnTheWindow()
{
    Tamsel w;
    QVERIFY(showWindow(w));
    w.MainTab->setTab(2);
    w.ccScroll->setValue(4);
    w.lesson().setHandMode(true);
    QVERIFY(!w.ccButton->isEnabled());
    Scriba *overlay = w.Scriba[2];
    const QRect inner = w.ccPic->contentsRect();
    const QPoint offset = w.ccPic->geometry().topLeft() + inner.topLeft() - overlay->geometry().topLeft();
    const ParallelogramFigure f = ParallelogramFigure::compute(inner.width(), inner.height(), 4, 0);
    const auto onOverlay = [&](PointF p) { return QPoint(int(std::lround(p.x())), int(std::lround(p.y()))) + offset; };
    std::unique_ptr<QPointingDevice> screen(QTest::createTouchDevice());
    QPoint a = onOverlay(inSector(f, 0)), b = onOverlay(inSector(f, 4));
    QTest::touchEvent(overlay, screen.get()).press(0, a, overlay).press(1, b, overlay);
    for (int step = 1; step <= 10; ++step)
        QTest::touchEvent(overlay, screen.get()).move(0, a + QPoint(20 * step, 10 * step), overlay).move(1, b + QPoint(35 * step, -8 * step), overlay);
    QTest::touchEvent(overlay, screen.get()).release(0, a + QPoint(200, 100), overlay).release(1, b + QPoint(350, -80), overlay);
    const SectorArrangement &now = w.lesson().arrangement();
    QVERIFY(now.out(0) && now.out(4) && now.stack.size() == 2);
    const Similarity frame = ParallelogramFigure::frame(inner.width(), inner.height());
    QVERIFY(!now.poses[0]->flipped);
    const SectorPose zero = *now.poses[0];
    const PointF middle = frame.map(zero.apex) + PointF(std::cos(zero.axis()), -std::sin(zero.axis())) * (f.R / 2);
    QTest::touchEvent(overlay, screen.get()).press(0, onOverlay(middle), overlay);
    QTest::touchEvent(overlay, screen.get()).release(0, onOverlay(middle), overlay);
    QVERIFY(w.lesson().arrangement().poses[0]->flipped);
    // Sector 4's left corner to sector 0's right one, a few pixels short.
    const SectorPose four = *w.lesson().arrangement().poses[4];
    const SectorPose turned = *w.lesson().arrangement().poses[0];
    const auto corner = [&](const SectorPose &p, double side) {
        const double edge = p.axis() + side * f.theta / 2;
        return frame.map(p.apex) + PointF(std::cos(edge), -std::sin(edge)) * f.R;
    };
    const PointF grip = frame.map(four.apex) + PointF(std::cos(four.axis()), -std::sin(four.axis())) * (f.R / 2);
    const PointF to = grip + corner(turned, -1) - corner(four, 1) + PointF(4, 3);
    QTest::touchEvent(overlay, screen.get()).press(1, onOverlay(grip), overlay);
    QTest::touchEvent(overlay, screen.get()).move(1, onOverlay(to), overlay);
    QTest::touchEvent(overlay, screen.get()).release(1, onOverlay(to), overlay);
    QVERIFY(within(corner(*w.lesson().arrangement().poses[4], 1), corner(turned, -1), 1e-6));
    QVERIFY(overlay->ink().strokes().empty());
}

QTEST_MAIN(TestAnimation)
#include "tst_animation.moc"
