#include "SectorsBench.h"

#include "PageImage.h"
#include "PaintWatch.h"
#include "ParallelogramFigure.h"
#include "PictureBox.h"
#include "Scriba.h"
#include "ScrollBar.h"
#include "TabControl.h"
#include "Tamsel.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>

namespace Bench {

namespace {

using core::ParallelogramFigure;

// Within half a 60 Hz frame, with the pen's and the screen's share left over.
constexpr double kFrameTargetMs = 8.0;
constexpr int kSectorsPage = 2;
// A drag frame moves the finger this far, about a fast hand's step at 60 Hz on a 4K board.
constexpr double kDragStepPx = 9;
constexpr int kFramesPerDrag = 60;

// The thread's own processor time: on a shared machine the clock on the wall
// also counts the time others' work held the processor.
double threadMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    constexpr double kMsPerSecond = 1e3, kNsPerMs = 1e6;
    return double(t.tv_sec) * kMsPerSecond + double(t.tv_nsec) / kNsPerMs;
}

struct Timed
{
    Summary wall;
    Summary processor;
};

Timed timeEach(int samples, const std::function<void(int)> &work)
{
    std::vector<double> wall, processor;
    for (int i = 0; i < samples; ++i) {
        const auto start = Clock::now();
        const double began = threadMs();
        work(i);
        processor.push_back(threadMs() - began);
        wall.push_back(msSince(start));
    }
    return {summarize(std::move(wall)), summarize(std::move(processor))};
}

void row(const char *what, const Timed &t, const Timed &whole)
{
    std::printf("| %s | %.3f | %.3f | %.3f | %.3f | %.3f | %.3f | %s | %s |\n", what, t.wall.median, t.wall.p99,
                t.processor.median, t.processor.p99, whole.wall.median, whole.processor.median,
                verdict(t.processor.median, kFrameTargetMs).constData(),
                verdict(t.processor.p99, kFrameTargetMs).constData());
    std::fflush(stdout);
}

// The page as it is now drawn whole, for comparison: what every frame cost before.
Timed wholePaint(Tamsel &window, const Config &config)
{
    QImage pixels = window.ccPic->picture().copy();
    const core::PageView view = window.pageView(kSectorsPage);
    return timeEach(config.repaints, [&](int) { PageImage::renderInto(pixels, view); });
}

// Every step of the run, 0 to N and back to the whole circle, one Page Down each.
Timed steps(Tamsel &window, const Config &config)
{
    core::Lesson &lesson = window.lesson();
    lesson.returnAllSectors();
    settle();
    PaintWatch watch(window.ccPic);
    const Timed s = timeEach(config.repaints, [&](int) {
        if (lesson.step() == lesson.sectors())
            lesson.returnAllSectors();
        else
            lesson.stepSectors(1);
    });
    if (watch.count() < config.repaints)
        fail(QStringLiteral("%1 steps, %2 paints").arg(config.repaints).arg(watch.count()));
    return s;
}

} // namespace

void benchSectors(const Config &config)
{
    std::printf("\n## The sectors page, step by step and by hand (ms)\n\n");
    Tamsel window;
    showExposed(window);
    window.MainTab->setTab(kSectorsPage);
    core::Lesson &lesson = window.lesson();
    lesson.setWeight(core::LineWeight::fromFactor(core::LineWeight::kChoices.back().factor).value());
    window.ccScroll->setValue(ParallelogramFigure::kMaxHalf);
    const QSize inner = fitPicture(window, window.ccPic, kUltraHd);
    std::printf("Picture %s, line weight ×3, %d pieces, bound %.0f ms a frame. Each step is the lesson's command "
                "and the picture's repaint it causes (what changed drawn again, the rest kept); whole: the same page "
                "drawn anew by PageImage. Wall: the clock; processor: this thread's processor time, which "
                "leaves out the time other programs held it (the verdicts are on it).\n\n",
                sizeText(inner).constData(), lesson.sectors(), kFrameTargetMs);
    std::printf("| what | wall median | wall p99 | processor median | processor p99 | whole wall median | "
                "whole processor median | processor median within %.0f ms | processor p99 within %.0f ms |\n"
                "|---|---|---|---|---|---|---|---|---|\n",
                kFrameTargetMs, kFrameTargetMs);
    for (const core::SectorLayouts::Choice &choice : core::SectorLayouts::kChoices) {
        lesson.setSectorLayout(choice.layout);
        const Timed s = steps(window, config);
        const QByteArray what = QByteArray(choice.key) + ", a step (Page Down)";
        row(what.constData(), s, wholePaint(window, config));
    }

    lesson.setHandMode(true);
    const ParallelogramFigure f = ParallelogramFigure::compute(inner.width(), inner.height(), lesson.value(kSectorsPage), 0);
    const core::Size size(inner.width(), inner.height());
    const auto homePoint = [&f](int sector) {
        const double axis = 2 * M_PI - (sector + 0.5) * f.theta;
        return core::PointF(f.centre) + core::PointF(std::cos(axis), -std::sin(axis)) * (0.7 * f.R);
    };
    // A drag frame: the finger held on one sector moves a step; each drag
    // takes the next sector from the circle and lays it over those before.
    const auto drag = [&](int frame) {
        const int sector = frame / kFramesPerDrag % f.sectors;
        const int within = frame % kFramesPerDrag;
        if (within == 0) {
            lesson.dropSector(1);
            lesson.grabSector(1, homePoint(sector), size);
        }
        const core::PointF at = homePoint(sector) + core::PointF(f.R * 2.5 + kDragStepPx * within, kDragStepPx * within / 4);
        lesson.moveSector(1, at, size);
    };
    // Frames of a drag apart from the first of each, where the sector leaves the circle.
    std::vector<double> moving, taking, movingProcessor, takingProcessor;
    for (int frame = 0; frame < config.repaints * 3; ++frame) {
        const Timed t = timeEach(1, [&](int) { drag(frame); });
        (frame % kFramesPerDrag == 0 ? taking : moving).push_back(t.wall.median);
        (frame % kFramesPerDrag == 0 ? takingProcessor : movingProcessor).push_back(t.processor.median);
    }
    const Timed whole = wholePaint(window, config);
    row("hand, a drag frame (the lesson's command)", {summarize(moving), summarize(movingProcessor)}, whole);
    row("hand, a sector taken from the circle", {summarize(taking), summarize(takingProcessor)}, whole);

    // The same through the window: a mouse move sent to the page's overlay.
    lesson.dropSector(1);
    Scriba *overlay = window.Scriba[kSectorsPage];
    const QPoint offset = window.ccPic->geometry().topLeft() + window.ccPic->contentsRect().topLeft() -
                          overlay->geometry().topLeft();
    const auto toOverlay = [&](core::PointF p) { return QPointF(p.x(), p.y()) + QPointF(offset); };
    const auto send = [&](QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
        QMouseEvent e(type, at, overlay->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(overlay, &e);
    };
    const core::PointF start = homePoint(f.sectors - 1);
    send(QEvent::MouseButtonPress, toOverlay(start), Qt::LeftButton);
    const Timed mouse = timeEach(config.repaints, [&](int frame) {
        const double x = kDragStepPx * (frame % kFramesPerDrag);
        send(QEvent::MouseMove, toOverlay(start + core::PointF(f.R * 2.5 + x, x / 4)), Qt::LeftButton);
    });
    send(QEvent::MouseButtonRelease, toOverlay(start), Qt::NoButton);
    row("hand, a drag frame (a mouse move to the overlay)", mouse, wholePaint(window, config));
    if (lesson.arrangement().stack.empty())
        fail(QStringLiteral("no sector was dragged"));
}

} // namespace Bench
