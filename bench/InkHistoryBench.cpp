#include "InkHistoryBench.h"

#include "Convert.h"
#include "PictureBox.h"
#include "PolygonFigure.h"
#include "Scriba.h"
#include "ScrollBar.h"
#include "TabControl.h"
#include "Tamsel.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QTabletEvent>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>

namespace Bench {

namespace {

using Convert::toCore;
using core::PointerId;
using core::PolygonFigure;

constexpr double kFrameTargetMs = 16.0;
constexpr double kResizeTargetMs = 100.0;
constexpr double kReleaseTargetMs = 100.0;
constexpr double kSegmentTargetUs = 20.0;
constexpr double kBytesPerPointTarget = 32.0;

constexpr PointerId kLoader = 7;
// A stroke of the heavy page as a pen's scribble: about a pixel between
// samples, its heading drifting, turned back at the page's edges.
constexpr double kScribbleStepPx = 1.0;
constexpr double kScribbleTurnRad = 0.2;
// The light page: short strokes (a tick, a dot, a short dash) all over.
constexpr int kShortStrokePoints = 5;
constexpr double kShortStrokeStepPx = 4.0;
// Ctrl+Z held down, at a keyboard's usual repeat rate.
constexpr int kRepeatIntervalMs = 33;
constexpr int kHeldForMs = 2000;
// An eraser jump from far off one side of the page to far off the other.
constexpr double kEraserJumpPx = 20000;

struct Page
{
    QByteArray name;
    int points;
    bool scribble;
};

void flushUpdates() { QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest); }

double frameMs(const std::function<void()> &work)
{
    return timeMs([&] {
        work();
        flushUpdates();
    });
}

// Page 0's ink, through the lesson, in its pen (white) at the design weight.
void loadShortStrokes(core::LessonInk &ink, int points, QSizeF area)
{
    std::mt19937 random(1);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int done = 0; done < points; done += kShortStrokePoints) {
        QPointF at(unit(random) * area.width(), unit(random) * area.height());
        ink.begin(0, kLoader, toCore(at), 1);
        for (int i = 1; i < kShortStrokePoints; ++i) {
            at += QPointF(unit(random) - 0.5, unit(random) - 0.5) * 2 * kShortStrokeStepPx;
            ink.extend(0, kLoader, toCore(at), 1);
        }
        ink.end(0, kLoader);
    }
}

void loadScribble(core::LessonInk &ink, int points, QSizeF area)
{
    std::mt19937 random(2);
    std::uniform_real_distribution<double> turn(-kScribbleTurnRad, kScribbleTurnRad);
    QPointF at(area.width() / 2, area.height() / 2);
    double heading = 0;
    ink.begin(0, kLoader, toCore(at), 1);
    for (int i = 1; i < points; ++i) {
        heading += turn(random);
        at += QPointF(std::cos(heading), std::sin(heading)) * kScribbleStepPx;
        if (at.x() < 0 || at.x() > area.width())
            heading = std::numbers::pi - heading;
        if (at.y() < 0 || at.y() > area.height())
            heading = -heading;
        at = QPointF(std::clamp(at.x(), 0.0, area.width()), std::clamp(at.y(), 0.0, area.height()));
        ink.extend(0, kLoader, toCore(at), 1);
    }
    ink.end(0, kLoader);
}

void sendTablet(QWidget *w, const QPointingDevice &eraser, QEvent::Type type, QPointF at)
{
    QTabletEvent e(type, &eraser, at, w->mapToGlobal(at), 0.5, 0, 0, 0, 0, 0, Qt::NoModifier, Qt::LeftButton,
                   type == QEvent::TabletRelease ? Qt::NoButton : Qt::LeftButton);
    QCoreApplication::sendEvent(w, &e);
}

void sendMouse(QWidget *w, QEvent::Type type, QPointF at)
{
    QMouseEvent e(type, at, w->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

// Key presses posted at the repeat rate, as a held key sends them; how long the
// window still works once they stop.
double heldUndoTailMs(Tamsel &window)
{
    QTimer repeat;
    repeat.setInterval(kRepeatIntervalMs);
    QObject::connect(&repeat, &QTimer::timeout, &window, [&window] {
        QCoreApplication::postEvent(&window, new QKeyEvent(QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier));
        QCoreApplication::postEvent(&window, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Z, Qt::ControlModifier));
    });
    repeat.start();
    const auto until = Clock::now() + std::chrono::milliseconds(kHeldForMs);
    while (Clock::now() < until)
        QCoreApplication::processEvents(QEventLoop::AllEvents, kRepeatIntervalMs);
    repeat.stop();
    return timeMs([] {
        QCoreApplication::sendPostedEvents();
        flushUpdates();
    });
}

void benchPage(Tamsel &window, const Page &page, const Config &config, const QSize &small, const QSize &large)
{
    Scriba *scriba = window.Scriba[0];
    core::LessonInk &ink = window.lesson().ink();
    while (ink.undo(0)) {
    }
    ink.clear(0);
    settle();
    returnFreeMemory();
    const long rssBefore = vmRssKb();
    const long long heapBefore = heapInUseBytes();
    if (page.scribble)
        loadScribble(ink, page.points, QSizeF(scriba->size()));
    else
        loadShortStrokes(ink, page.points, QSizeF(scriba->size()));
    settle();
    returnFreeMemory();
    const double points = double(scriba->ink().pointCount());
    const double heapPerPoint = double(heapInUseBytes() - heapBefore) / points;
    const double residentPerPoint = 1024.0 * double(vmRssKb() - rssBefore) / points;

    std::vector<double> undo, redo, clear, unclear, erase, jump, unerase, resize;
    const QPointF middle(scriba->width() / 2.0, scriba->height() / 2.0);
    const QPointingDevice eraser("eraser", 9, QInputDevice::DeviceType::Stylus, QPointingDevice::PointerType::Eraser,
                                 QInputDevice::Capability::Position, 1, 3);
    for (int run = 0; run < config.historyRuns; ++run) {
        undo.push_back(frameMs([&] { scriba->undo(); }));
        redo.push_back(frameMs([&] { scriba->redo(); }));
        clear.push_back(frameMs([&] { scriba->Clear(); }));
        unclear.push_back(frameMs([&] { scriba->undo(); }));
        sendTablet(scriba, eraser, QEvent::TabletPress, middle + QPointF(-40, 0));
        flushUpdates();
        erase.push_back(frameMs([&] { sendTablet(scriba, eraser, QEvent::TabletMove, middle); }));
        sendTablet(scriba, eraser, QEvent::TabletRelease, middle);
        unerase.push_back(frameMs([&] { scriba->undo(); }));
        sendTablet(scriba, eraser, QEvent::TabletPress, QPointF(-kEraserJumpPx / 2, middle.y()));
        jump.push_back(frameMs([&] {
            sendTablet(scriba, eraser, QEvent::TabletMove, QPointF(kEraserJumpPx / 2, middle.y()));
        }));
        sendTablet(scriba, eraser, QEvent::TabletRelease, QPointF(kEraserJumpPx / 2, middle.y()));
        scriba->undo();
        settle();
        // The ink follows the figure, so every stroke is drawn again at the new size.
        fitPicture(window, window.PolyPic, small);
        resize.push_back(timeMs([&] {
            fitPicture(window, window.PolyPic, large);
            flushUpdates();
        }));
    }

    std::vector<double> moves;
    sendMouse(scriba, QEvent::MouseButtonPress, middle);
    for (int i = 1; i <= config.segments; ++i) {
        const QPointF at = middle + QPointF(std::fmod(i * 3.0, scriba->width() / 2.0), 20 * std::sin(i / 10.0));
        QMouseEvent move(QEvent::MouseMove, at, scriba->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        const auto start = Clock::now();
        QCoreApplication::sendEvent(scriba, &move);
        moves.push_back(usSince(start));
        flushUpdates();
    }
    sendMouse(scriba, QEvent::MouseButtonRelease, middle);
    scriba->undo();
    settle();
    const std::size_t stepsBefore = scriba->ink().undoDepth();
    const double tail = heldUndoTailMs(window);
    if (scriba->ink().undoDepth() >= stepsBefore && stepsBefore > 0)
        fail(QStringLiteral("Ctrl+Z held down undid nothing"));

    const auto row = [&](const char *what, const std::vector<double> &ms, double bound) {
        const Summary s = summarize(ms);
        std::printf("| %s | %s | %.2f | %.2f | %s |\n", page.name.constData(), what, s.median, s.p99,
                    verdict(s.p99, bound).constData());
    };
    row("undo (a stroke)", undo, kFrameTargetMs);
    row("redo", redo, kFrameTargetMs);
    row("clear (消去)", clear, kFrameTargetMs);
    row("undo of the clear", unclear, kFrameTargetMs);
    row("eraser move, 40 px", erase, kFrameTargetMs);
    row("undo of the erasure", unerase, kFrameTargetMs);
    row("eraser move, 20,000 px jump", jump, kFrameTargetMs);
    row(qPrintable(QStringLiteral("first frame after a resize to %1").arg(QString::fromUtf8(sizeText(large)))), resize,
        kResizeTargetMs);
    std::printf("| %s | Ctrl+Z held %.0f s (%zu steps undone): work left after release | %.2f | | %s |\n",
                page.name.constData(), kHeldForMs / 1000.0, stepsBefore - scriba->ink().undoDepth(), tail,
                verdict(tail, kReleaseTargetMs).constData());
    const Summary move = summarize(moves);
    std::printf("| %s | pointer-move segment (µs) | %.2f | %.2f | %s |\n", page.name.constData(), move.median,
                move.p99, verdict(move.p99, kSegmentTargetUs).constData());
    std::printf("| %s | heap bytes per stored point | %.1f | | %s |\n", page.name.constData(), heapPerPoint,
                verdict(heapPerPoint, kBytesPerPointTarget).constData());
    std::printf("| %s | resident bytes per stored point | %.1f | | %s |\n", page.name.constData(), residentPerPoint,
                verdict(residentPerPoint, kBytesPerPointTarget).constData());
    std::fflush(stdout);
}

} // namespace

void benchInkHistory(const Config &config)
{
    Tamsel window;
    showExposed(window);
    window.MainTab->setTab(0);
    window.PolyScroll->setValue(PolygonFigure::kMaxSides);
    const QSize large = fitPicture(window, window.PolyPic, kFullHd);
    const QSize small(large.width() * 5 / 6, large.height() * 5 / 6);
    std::printf("\n## Ink on a full page (ms to the next complete frame), polygon page, picture %s\n\n"
                "Through the real overlay: the operation, then the repaint it scheduled. %d runs each; the resize "
                "goes from a picture of %s to %s, and every stroke is drawn again for the new figure. Ctrl+Z is "
                "posted every %d ms for %.0f s, as a held key repeats.\n\n",
                sizeText(large).constData(), config.historyRuns, sizeText(small).constData(),
                sizeText(large).constData(), kRepeatIntervalMs, kHeldForMs / 1000.0);
    std::printf("| page | operation | median | p99 | p99 within its bound |\n|---|---|---|---|---|\n");
    const Page pages[] = {
        {"short strokes, " + QByteArray::number(config.shortStrokePoints) + " points", config.shortStrokePoints, false},
        {"one scribble of " + QByteArray::number(config.scribblePoints) + " points", config.scribblePoints, true}};
    for (const Page &page : pages)
        benchPage(window, page, config, small, large);
}

} // namespace Bench
