#include "InkBench.h"

#include "Convert.h"
#include "InkLayer.h"
#include "LineWeight.h"
#include "PaintWatch.h"
#include "PictureBox.h"
#include "PolygonFigure.h"
#include "Scriba.h"
#include "ScrollBar.h"
#include "TabControl.h"
#include "Tamsel.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <numeric>

namespace Bench {

namespace {

using Convert::toCore;
using core::InkLayer;
using core::LineWeight;
using core::PointerId;
using core::PolygonFigure;

constexpr double kSegmentTargetUs = 20.0;

// Ink laid down as a hand would: strokes of a few hundred points, a few pixels
// apart, in rows down the page, bouncing between its sides with a gentle wave.
constexpr int kPointsPerStroke = 500;
constexpr double kPointSpacingPx = 3.0;
constexpr double kRowPitchPx = 17.0;
constexpr double kWaveAmplitudePx = 6.0;
constexpr double kWavePeriodPoints = 40.0;
constexpr double kInkMarginPx = 20.0;
constexpr double kLeastSpanPx = 1.0;
const core::Color kInkColor{255, 255, 255};
// The layers here are drawn at one device pixel per logical pixel.
constexpr qreal kUnscaled = 1.0;

double bounce(double distance, double span)
{
    const double folded = std::fmod(distance, 2 * span);
    return folded <= span ? folded : 2 * span - folded;
}

QPointF strokePoint(int stroke, int index, QSizeF area)
{
    const double rowSpan = std::max(kLeastSpanPx, area.height() - 2 * (kInkMarginPx + kWaveAmplitudePx));
    const double wave = kWaveAmplitudePx * std::sin(2 * std::numbers::pi * index / kWavePeriodPoints);
    return {kInkMarginPx + bounce(index * kPointSpacingPx, std::max(kLeastSpanPx, area.width() - 2 * kInkMarginPx)),
            kInkMarginPx + kWaveAmplitudePx + std::fmod(stroke * kRowPitchPx, rowSpan) + wave};
}

constexpr PointerId kBenchPointer = 1;

int pointsHeld(const InkLayer &ink) { return int(ink.pointCount()); }

void addStrokes(InkLayer &ink, int points, QSizeF area)
{
    for (int stroke = 0; pointsHeld(ink) < points; ++stroke) {
        const int count = std::min(kPointsPerStroke, points - pointsHeld(ink));
        ink.begin(kBenchPointer, toCore(strokePoint(stroke, 0, area)), 1, kInkColor, Scriba::kPenWidthAt96DpiPx);
        for (int i = 1; i < count; ++i)
            ink.extend(kBenchPointer, toCore(strokePoint(stroke, i, area)), 1);
        ink.end(kBenchPointer);
    }
}

Summary timeExtends(InkLayer &ink, QSizeF area, int segments)
{
    const int stroke = int(ink.strokes().size());
    ink.begin(kBenchPointer, toCore(strokePoint(stroke, 0, area)), 1, kInkColor, Scriba::kPenWidthAt96DpiPx);
    std::vector<double> us;
    for (int i = 1; i <= segments; ++i) {
        const core::PointF point = toCore(strokePoint(stroke, i, area));
        const auto start = Clock::now();
        ink.extend(kBenchPointer, point, 1);
        us.push_back(usSince(start));
    }
    ink.end(kBenchPointer);
    return summarize(std::move(us));
}

QMouseEvent mouseEvent(QWidget *w, QEvent::Type type, QPointF at)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButton changed = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    return QMouseEvent(type, at, w->mapToGlobal(at), changed, held, Qt::NoModifier);
}

void send(QWidget *w, QEvent::Type type, QPointF at)
{
    QMouseEvent e = mouseEvent(w, type, at);
    QCoreApplication::sendEvent(w, &e);
}

// Paints what update() scheduled, as the event loop would before the next move.
void flushUpdates() { QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest); }

// Whole strokes through real mouse events, the page repainted after each.
void drawWithMouse(Scriba *scriba, int points)
{
    const QSizeF area = scriba->size();
    for (int stroke = int(scriba->ink().strokes().size()); pointsHeld(scriba->ink()) < points; ++stroke) {
        const int count = std::min(kPointsPerStroke, points - pointsHeld(scriba->ink()));
        send(scriba, QEvent::MouseButtonPress, strokePoint(stroke, 0, area));
        for (int i = 1; i < count; ++i)
            send(scriba, QEvent::MouseMove, strokePoint(stroke, i, area));
        send(scriba, QEvent::MouseButtonRelease, strokePoint(stroke, count - 1, area));
        settle();
    }
}

struct MoveCosts
{
    Summary event;   // the move event: extend and the update() it schedules
    Summary painted; // the same, then the repaint that update() scheduled
};

// Alternate moves of one stroke are timed without and with their repaint, so
// both see the same page.
MoveCosts timeScribaMoves(Scriba *scriba, int segments)
{
    const QSizeF area = scriba->size();
    const int stroke = int(scriba->ink().strokes().size());
    send(scriba, QEvent::MouseButtonPress, strokePoint(stroke, 0, area));
    flushUpdates();
    PaintWatch watch(scriba);
    std::vector<double> eventUs, paintedUs;
    for (int i = 1; i <= 2 * segments; ++i) {
        QMouseEvent move = mouseEvent(scriba, QEvent::MouseMove, strokePoint(stroke, i, area));
        const auto start = Clock::now();
        QCoreApplication::sendEvent(scriba, &move);
        if (i % 2 == 0) {
            flushUpdates();
            paintedUs.push_back(usSince(start));
        } else {
            eventUs.push_back(usSince(start));
            flushUpdates();
        }
    }
    send(scriba, QEvent::MouseButtonRelease, strokePoint(stroke, 2 * segments, area));
    settle();
    if (watch.count() < 2 * segments)
        fail(QStringLiteral("%1 moves, %2 overlay paints").arg(2 * segments).arg(watch.count()));
    return {summarize(std::move(eventUs)), summarize(std::move(paintedUs))};
}

struct InkSizes
{
    QSize fullHd;
    QSize ultraHd;
};

void benchSegments(Tamsel &window, const InkSizes &sizes, const Config &config)
{
    std::printf("\n## One pointer-move segment (µs), page 0 with the 64-sided polygon, overlay %s\n\n"
                "InkLayer::extend alone; the Scriba move event (extend and the update() it schedules); the same "
                "event then the repaint it scheduled (figure under it and the overlay, clipped to the segment).\n\n",
                sizeText(sizes.fullHd).constData());
    std::printf("| points held | extend median | extend p99 | event median | event p99 | event + paint median | "
                "event + paint p99 | event p99 within %.0f µs |\n|---|---|---|---|---|---|---|---|\n",
                kSegmentTargetUs);
    Scriba *scriba = window.Scriba[0];
    for (int held : config.pointsHeld) {
        InkLayer ink;
        ink.resize(toCore(sizes.fullHd), kUnscaled);
        addStrokes(ink, held, QSizeF(sizes.fullHd));
        const Summary extend = timeExtends(ink, QSizeF(sizes.fullHd), config.segments);

        drawWithMouse(scriba, held);
        if (pointsHeld(scriba->ink()) != held)
            fail(QStringLiteral("the overlay holds %1 points, not %2").arg(pointsHeld(scriba->ink())).arg(held));
        const MoveCosts move = timeScribaMoves(scriba, config.segments);
        std::printf("| %d | %.2f | %.2f | %.2f | %.2f | %.1f | %.1f | %s |\n", held, extend.median, extend.p99,
                    move.event.median, move.event.p99, move.painted.median, move.painted.p99,
                    verdict(move.event.p99, kSegmentTargetUs).constData());
        std::fflush(stdout);
    }
}

// The heaviest pen on a 4K picture: the widest segments there are to draw.
void benchHeavySegments(Tamsel &window, const Config &config)
{
    const LineWeight heaviest = LineWeight::fromFactor(LineWeight::kChoices.back().factor).value();
    window.lesson().setWeight(heaviest);
    fitPicture(window, window.PolyPic, kUltraHd);
    Scriba *scriba = window.Scriba[0];
    drawWithMouse(scriba, pointsHeld(scriba->ink()) + kPointsPerStroke);
    const MoveCosts move = timeScribaMoves(scriba, config.segments);
    std::printf("\n## One pointer-move segment at line weight ×%d (µs), overlay %s, %d points held\n\n"
                "| event median | event p99 | event + paint median | event + paint p99 | event p99 within %.0f µs |\n"
                "|---|---|---|---|---|\n| %.2f | %.2f | %.1f | %.1f | %s |\n",
                heaviest.factor(), sizeText(scriba->size()).constData(), pointsHeld(scriba->ink()), kSegmentTargetUs,
                move.event.median, move.event.p99, move.painted.median, move.painted.p99,
                verdict(move.event.p99, kSegmentTargetUs).constData());
    std::fflush(stdout);
    window.lesson().setWeight(LineWeight());
}

// Each run starts from a fresh layer of the Full HD overlay's size, so the
// first resize must make a larger image and replay every stroke into it.
void benchRebuild(const InkSizes &sizes, const Config &config)
{
    std::printf("\n## Ink layer after a resize (InkLayer::resize, ms, medians of %d runs)\n\n"
                "From a fresh layer of %s holding the points: to %s (a larger image, every stroke replayed), then "
                "back to %s, then one pixel wider (as when a window border is dragged).\n\n",
                config.rebuildRuns, sizeText(sizes.fullHd).constData(), sizeText(sizes.ultraHd).constData(),
                sizeText(sizes.fullHd).constData());
    std::printf("| points held | to %s | back to %s | one pixel wider |\n|---|---|---|---|\n",
                sizeText(sizes.ultraHd).constData(), sizeText(sizes.fullHd).constData());
    const QSize nudged(sizes.fullHd.width() + 1, sizes.fullHd.height());
    for (int held : config.pointsHeld) {
        std::vector<double> up, down, nudge;
        for (int run = 0; run < config.rebuildRuns; ++run) {
            InkLayer ink;
            ink.resize(toCore(sizes.fullHd), kUnscaled);
            addStrokes(ink, held, QSizeF(sizes.fullHd));
            up.push_back(timeMs([&] { ink.resize(toCore(sizes.ultraHd), kUnscaled); ink.image(); }));
            down.push_back(timeMs([&] { ink.resize(toCore(sizes.fullHd), kUnscaled); ink.image(); }));
            nudge.push_back(timeMs([&] { ink.resize(toCore(nudged), kUnscaled); ink.image(); }));
        }
        std::printf("| %d | %.1f | %.2f | %.2f |\n", held, median(up), median(down), median(nudge));
        std::fflush(stdout);
    }
}

} // namespace

void benchInk(const Config &config)
{
    Tamsel window;
    showExposed(window);
    window.MainTab->setTab(0);
    window.PolyScroll->setValue(PolygonFigure::kMaxSides);
    settle();
    InkSizes sizes;
    fitPicture(window, window.PolyPic, kUltraHd);
    sizes.ultraHd = window.Scriba[0]->size();
    fitPicture(window, window.PolyPic, kFullHd);
    sizes.fullHd = window.Scriba[0]->size();
    benchSegments(window, sizes, config);
    benchHeavySegments(window, config);
    benchRebuild(sizes, config);
}

} // namespace Bench
