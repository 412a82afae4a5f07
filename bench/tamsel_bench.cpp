// Times what a teacher feels: a figure's full repaint, one ink segment, the
// start-up and the idle window, each beside a floor made of bare Qt widgets.
// Prints Markdown tables. Run with QT_QPA_PLATFORM=offscreen; with DISPLAY set
// to an X server (Xvfb) the start-up and idle runs are repeated under xcb.

#include "ArcFigure.h"
#include "FillWidget.h"
#include "InkLayer.h"
#include "PaintWatch.h"
#include "ParallelogramFigure.h"
#include "PictureBox.h"
#include "PolygonFigure.h"
#include "Scriba.h"
#include "ScrollBar.h"
#include "TabControl.h"
#include "Tamsel.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QMouseEvent>
#include <QProcess>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <numbers>
#include <numeric>
#include <optional>
#include <vector>

namespace {

constexpr PointerId kBenchPointer = 1;

using Clock = std::chrono::steady_clock;

struct Config
{
    int repaints = 300;
    int warmupRepaints = 20;
    int segments = 2000;
    std::array<int, 3> pointsHeld{0, 10'000, 100'000};
    int rebuildRuns = 5;
    int startupRuns = 9;
    int idleMs = 2000;
};

// Small enough to check that every part runs and prints; its figures mean nothing.
constexpr Config kQuickConfig{.repaints = 3,
                              .warmupRepaints = 1,
                              .segments = 20,
                              .pointsHeld = {0, 100, 1000},
                              .rebuildRuns = 1,
                              .startupRuns = 1,
                              .idleMs = 200};

constexpr QSize kFullHd{1920, 1080};
constexpr QSize kUltraHd{3840, 2160};
constexpr double kFullHdTargetMs = 2.0;
constexpr double kUltraHdTargetMs = 8.0;
constexpr double kSegmentTargetUs = 20.0;
constexpr double kStartupTargetRatio = 1.2;
constexpr double kRssTargetRatio = 1.3;

constexpr int kSettlePasses = 3;
constexpr int kFitAttempts = 4;
constexpr int kExposeTimeoutMs = 5000;
constexpr int kPollMs = 10;
constexpr int kChildTimeoutMs = 30000;
constexpr int kArcThreeQuarterDegrees = 270;

// Ink laid down as a hand would: strokes of a few hundred points, a few pixels
// apart, in rows down the page, bouncing between its sides with a gentle wave.
constexpr int kPointsPerStroke = 500;
constexpr double kPointSpacingPx = 3.0;
constexpr double kRowPitchPx = 17.0;
constexpr double kWaveAmplitudePx = 6.0;
constexpr double kWavePeriodPoints = 40.0;
constexpr double kInkMarginPx = 20.0;
constexpr double kLeastSpanPx = 1.0;
const QColor kInkColor{255, 255, 255};

constexpr double kKiBPerMiB = 1024.0;
constexpr double kMedianRank = 0.5;
constexpr double kP99Rank = 0.99;
// The layers here are drawn at one device pixel per logical pixel.
constexpr qreal kUnscaled = 1.0;

struct Summary
{
    double median = 0;
    double p99 = 0;
};

Summary summarize(std::vector<double> samples)
{
    if (samples.empty())
        return {};
    std::sort(samples.begin(), samples.end());
    const auto rank = [&](double q) { return samples[std::size_t(std::lround(q * double(samples.size() - 1)))]; };
    return {rank(kMedianRank), rank(kP99Rank)};
}

// Something the figures cannot be trusted after; it fails the run.
int failures = 0;

void fail(const QString &what)
{
    std::fprintf(stderr, "failed: %s\n", qPrintable(what));
    ++failures;
}

double median(std::vector<double> samples) { return summarize(std::move(samples)).median; }

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double usSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

// "met", or by how many times the figure is over its bound.
QByteArray verdict(double value, double bound)
{
    return value <= bound ? QByteArray("met") : "missed ×" + QByteArray::number(value / bound, 'f', 2);
}

QByteArray sizeText(QSize s) { return QByteArray::number(s.width()) + "×" + QByteArray::number(s.height()); }

void settle()
{
    for (int pass = 0; pass < kSettlePasses; ++pass)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void showExposed(QWidget &w)
{
    w.show();
    const auto exposed = [&w] { return w.windowHandle() && w.windowHandle()->isExposed(); };
    QDeadlineTimer deadline(kExposeTimeoutMs);
    while (!exposed() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, kPollMs);
    settle();
    if (!exposed())
        fail(QStringLiteral("a window was never exposed"));
}

long vmRssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key("VmRSS:");
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLong();
    return -1;
}

// ---------------------------------------------------------------- figure paints

struct FigureCase
{
    const char *name;
    int page;
    std::function<void(Tamsel &)> prepare;
};

std::vector<FigureCase> figureCases()
{
    const auto sides = [](int n) { return [n](Tamsel &w) { w.PolyScroll->setValue(n); }; };
    const auto degrees = [](int d) { return [d](Tamsel &w) { w.CirScroll->setValue(d); }; };
    const auto step = [](int s) {
        return [s](Tamsel &w) {
            w.ccScroll->setValue(ParallelogramFigure::kMaxHalf);
            w.ccStep = Int16(s);
        };
    };
    constexpr int sectors = 2 * ParallelogramFigure::kMaxHalf;
    return {
        {"polygon, 3 sides", 0, sides(PolygonFigure::kMinSides)},
        {"polygon, 64 sides", 0, sides(PolygonFigure::kMaxSides)},
        {"arc, 360°", 1, degrees(ArcFigure::kMaxDegrees)},
        {"arc, 270°", 1, degrees(kArcThreeQuarterDegrees)},
        {"parallelogram, 64 sectors, step 0", 2, step(0)},
        {"parallelogram, 64 sectors, step 32", 2, step(sectors / 2)},
        {"parallelogram, 64 sectors, step 64", 2, step(sectors)},
        {"blank page", 3, [](Tamsel &) {}},
    };
}

PictureBox *pictureOf(const Tamsel &w, int page)
{
    return std::array{w.PolyPic, w.CirPic, w.ccPic, w.WhPic}.at(std::size_t(page));
}

// Resizes the window until the picture's inner area is `inner`, or as near as
// the layout's rounding allows; returns what it got.
QSize fitPicture(Tamsel &window, const QWidget *picture, QSize inner)
{
    for (int attempt = 0; attempt < kFitAttempts; ++attempt) {
        const QSize now = picture->contentsRect().size();
        if (now == inner)
            break;
        window.resize(window.size() + inner - now);
        settle();
    }
    return picture->contentsRect().size();
}

// Synchronous repaints, each painted into the backing store and flushed.
Summary timeRepaints(QWidget *widget, const Config &config)
{
    settle();
    for (int i = 0; i < config.warmupRepaints; ++i)
        widget->repaint();
    PaintWatch watch(widget);
    std::vector<double> ms;
    for (int i = 0; i < config.repaints; ++i) {
        const auto start = Clock::now();
        widget->repaint();
        ms.push_back(msSince(start));
    }
    if (watch.count() != config.repaints)
        fail(QStringLiteral("%1 repaints asked, %2 painted").arg(config.repaints).arg(watch.count()));
    return summarize(std::move(ms));
}

Summary timeFloor(QSize outer, const Config &config)
{
    FillWidget floor;
    floor.resize(outer);
    showExposed(floor);
    return timeRepaints(&floor, config);
}

void benchFigurePaints(const Config &config)
{
    std::printf("\n## Full paint of each figure (PictureBox::Refresh, ms)\n");
    Tamsel window;
    showExposed(window);
    for (const auto &[target, bound] : {std::pair{kFullHd, kFullHdTargetMs}, std::pair{kUltraHd, kUltraHdTargetMs}}) {
        std::printf("\nTarget picture %s, bound %.0f ms. Floor: a bare opaque QWidget of the picture's outer size "
                    "whose paintEvent only fills.\n\n",
                    sizeText(target).constData(), bound);
        std::printf("| figure | picture inner px | median | p99 | floor median | floor p99 | median ÷ floor | "
                    "median within %.0f ms | p99 within %.0f ms |\n|---|---|---|---|---|---|---|---|---|\n",
                    bound, bound);
        std::optional<Summary> floor;
        for (const FigureCase &c : figureCases()) {
            window.MainTab->setTab(c.page);
            settle();
            c.prepare(window);
            PictureBox *picture = pictureOf(window, c.page);
            const QSize inner = fitPicture(window, picture, target);
            const Summary s = timeRepaints(picture, config);
            if (!floor)
                floor = timeFloor(picture->size(), config);
            std::printf("| %s | %s | %.3f | %.3f | %.3f | %.3f | %.1f | %s | %s |\n", c.name,
                        sizeText(inner).constData(), s.median, s.p99, floor->median, floor->p99, s.median / floor->median,
                        verdict(s.median, bound).constData(), verdict(s.p99, bound).constData());
            std::fflush(stdout);
        }
    }
}

// ---------------------------------------------------------------- ink

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

int pointsHeld(const InkLayer &ink) { return int(ink.pointCount()); }

void addStrokes(InkLayer &ink, int points, QSizeF area)
{
    for (int stroke = 0; pointsHeld(ink) < points; ++stroke) {
        const int count = std::min(kPointsPerStroke, points - pointsHeld(ink));
        ink.begin(kBenchPointer, strokePoint(stroke, 0, area), 1, kInkColor, Scriba::kPenWidthAt96DpiPx);
        for (int i = 1; i < count; ++i)
            ink.extend(kBenchPointer, strokePoint(stroke, i, area), 1);
        ink.end(kBenchPointer);
    }
}

Summary timeExtends(InkLayer &ink, QSizeF area, int segments)
{
    const int stroke = int(ink.strokes().size());
    ink.begin(kBenchPointer, strokePoint(stroke, 0, area), 1, kInkColor, Scriba::kPenWidthAt96DpiPx);
    std::vector<double> us;
    for (int i = 1; i <= segments; ++i) {
        const QPointF point = strokePoint(stroke, i, area);
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
        ink.resize(sizes.fullHd, kUnscaled);
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

double timeMs(const std::function<void()> &work)
{
    const auto start = Clock::now();
    work();
    return msSince(start);
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
            ink.resize(sizes.fullHd, kUnscaled);
            addStrokes(ink, held, QSizeF(sizes.fullHd));
            up.push_back(timeMs([&] { ink.resize(sizes.ultraHd, kUnscaled); ink.image(); }));
            down.push_back(timeMs([&] { ink.resize(sizes.fullHd, kUnscaled); ink.image(); }));
            nudge.push_back(timeMs([&] { ink.resize(nudged, kUnscaled); ink.image(); }));
        }
        std::printf("| %d | %.1f | %.2f | %.2f |\n", held, median(up), median(down), median(nudge));
        std::fflush(stdout);
    }
}

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
    benchRebuild(sizes, config);
}

// ---------------------------------------------------------------- start-up and idle

const QString kStartupMode = QStringLiteral("--startup");
const QString kIdleMode = QStringLiteral("--idle");
const QString kTamselWindow = QStringLiteral("tamsel");
const QString kFloorWindow = QStringLiteral("floor");
// What the children print: a tag, then two times and two sizes, or a count.
constexpr qsizetype kStartupFields = 5;
constexpr qsizetype kIdleFields = 2;

// The window a child shows, and the widget whose first paint ends its start-up.
struct ChildWindow
{
    std::unique_ptr<QWidget> window;
    QWidget *watched = nullptr;
};

// The floor opens at `size`, the size the program's window opens at.
ChildWindow buildChildWindow(const QString &which, QSize size)
{
    if (which == kFloorWindow) {
        auto tabs = std::make_unique<QTabWidget>();
        auto *page = new FillWidget;
        tabs->addTab(page, QStringLiteral("Page"));
        tabs->resize(size);
        return {std::move(tabs), page};
    }
    auto tamsel = std::make_unique<Tamsel>();
    QWidget *polygon = tamsel->PolyPic;
    return {std::move(tamsel), polygon};
}

// Child: prints when the watched widget's first paint begins and when that
// first frame is done (the next turn of the event loop), then quits.
int startupChild(int argc, char **argv, Clock::time_point mainEntered)
{
    QApplication app(argc, argv);
    const QByteArrayList size = QByteArray(argv[3]).split('x');
    const QSize windowSize(size.value(0).toInt(), size.value(1).toInt());
    ChildWindow child = buildChildWindow(QString::fromLocal8Bit(argv[2]), windowSize);
    PaintWatch watch(child.watched);
    watch.onFirstPaint([&] {
        const double paintMs = msSince(mainEntered);
        const long paintRssKb = vmRssKb();
        QTimer::singleShot(0, &app, [&, paintMs, paintRssKb] {
            std::printf("first-paint %.3f %ld %.3f %ld\n", paintMs, paintRssKb, msSince(mainEntered), vmRssKb());
            std::fflush(stdout);
            app.quit();
        });
    });
    child.window->show();
    return app.exec();
}

// Child: once the start-up paints are over, counts every paint for a while.
int idleChild(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int idleMs = QByteArray(argv[2]).toInt();
    Tamsel window;
    PaintWatch first(window.PolyPic);
    std::unique_ptr<PaintWatch> idle;
    first.onFirstPaint([&] {
        QTimer::singleShot(0, &app, [&] {
            idle = std::make_unique<PaintWatch>(&app);
            QTimer::singleShot(idleMs, &app, [&] {
                std::printf("idle-paints %d", idle->count());
                for (const auto &[widget, n] : idle->byWidget())
                    std::printf(" %s:%d", qPrintable(widget), n);
                std::printf("\n");
                std::fflush(stdout);
                app.quit();
            });
        });
    });
    window.show();
    return app.exec();
}

struct ChildReport
{
    double wallMs = 0;
    QByteArrayList fields;
};

// Runs this executable in a child mode and returns the one line it prints,
// split into fields, with the wall time until that line arrived.
std::optional<ChildReport> runChild(const QStringList &args, const QString &platform, qsizetype minFields)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const auto start = Clock::now();
    child.start(QCoreApplication::applicationFilePath(), args);
    while (!child.canReadLine() && child.waitForReadyRead(kChildTimeoutMs)) {
    }
    const double wallMs = msSince(start);
    const QByteArrayList fields = child.readLine().trimmed().split(' ');
    if (!child.waitForFinished(kChildTimeoutMs)) {
        child.kill();
        child.waitForFinished();
    }
    const QString what = args.join(' ') + QStringLiteral(" under ") + platform;
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        fail(what + QStringLiteral(" did not exit cleanly"));
    if (fields.size() < minFields) {
        fail(what + QStringLiteral(" printed too little"));
        return std::nullopt;
    }
    return ChildReport{wallMs, fields};
}

QStringList platforms()
{
    QStringList list{QStringLiteral("offscreen")};
    if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        list << QStringLiteral("xcb");
    return list;
}

// One start-up: wall times from QProcess::start, resident size in MiB.
struct Startup
{
    double paintMs = 0;
    double paintInMainMs = 0;
    double frameMs = 0;
    double paintRssMiB = 0;
    double frameRssMiB = 0;
};

std::optional<Startup> runStartup(const QString &which, const QString &platform, QSize windowSize)
{
    const QString size = QStringLiteral("%1x%2").arg(windowSize.width()).arg(windowSize.height());
    const std::optional<ChildReport> r = runChild({kStartupMode, which, size}, platform, kStartupFields);
    if (!r)
        return std::nullopt;
    const double paintInMain = r->fields[1].toDouble();
    const double frameInMain = r->fields[3].toDouble();
    // The line comes when the frame is done; the paint began that much earlier.
    return Startup{r->wallMs - (frameInMain - paintInMain), paintInMain, r->wallMs,
                   r->fields[2].toDouble() / kKiBPerMiB, r->fields[4].toDouble() / kKiBPerMiB};
}

Startup medianOf(const std::vector<Startup> &runs)
{
    const auto of = [&](double Startup::*field) {
        std::vector<double> values;
        for (const Startup &run : runs)
            values.push_back(run.*field);
        return median(std::move(values));
    };
    return {of(&Startup::paintMs), of(&Startup::paintInMainMs), of(&Startup::frameMs), of(&Startup::paintRssMiB),
            of(&Startup::frameRssMiB)};
}

// Runs the program and its floor in turns, after one unmeasured run of each
// so both start from a warm file cache.
bool startupMedians(const QString &platform, int runs, QSize windowSize, Startup &tamsel, Startup &floor)
{
    std::map<QString, std::vector<Startup>> samples;
    for (int run = -1; run < runs; ++run) {
        for (const QString &which : {kTamselWindow, kFloorWindow}) {
            const std::optional<Startup> startup = runStartup(which, platform, windowSize);
            if (!startup)
                return false;
            if (run >= 0)
                samples[which].push_back(*startup);
        }
    }
    tamsel = medianOf(samples[kTamselWindow]);
    floor = medianOf(samples[kFloorWindow]);
    return true;
}

void printStartupRow(const QString &platform, const char *window, const Startup &s, const Startup *floor)
{
    std::printf("| %s | %s | %.1f | %.1f | %.1f | %.1f / %.1f |", qPrintable(platform), window, s.paintMs,
                s.paintInMainMs, s.frameMs, s.paintRssMiB, s.frameRssMiB);
    if (floor)
        std::printf(" %.2f (%s) | %.2f | %.2f (%s) |\n", s.paintMs / floor->paintMs,
                    verdict(s.paintMs / floor->paintMs, kStartupTargetRatio).constData(), s.frameMs / floor->frameMs,
                    s.paintRssMiB / floor->paintRssMiB,
                    verdict(s.paintRssMiB / floor->paintRssMiB, kRssTargetRatio).constData());
    else
        std::printf(" | | |\n");
}

bool benchStartup(const Config &config)
{
    const QSize windowSize = Tamsel().size();
    std::printf("\n## Start-up: process start to the first paint of the polygon, and VmRSS then\n\n"
                "Medians of %d runs each, taken in turns. Times are from QProcess::start in this process: to the "
                "start of the watched widget's first paint (\"in main\": the part after main() was entered) and to "
                "the end of that first frame. VmRSS at the first paint / at the end of the frame. Floor: a "
                "QTabWidget of %s whose one page only fills, from the same executable.\n\n",
                config.startupRuns, sizeText(windowSize).constData());
    std::printf("| platform | window | first paint ms | in main ms | first frame done ms | VmRSS MiB | "
                "first paint ÷ floor | frame ÷ floor | VmRSS ÷ floor |\n|---|---|---|---|---|---|---|---|---|\n");
    for (const QString &platform : platforms()) {
        Startup tamsel, floor;
        if (!startupMedians(platform, config.startupRuns, windowSize, tamsel, floor))
            return false;
        printStartupRow(platform, "floor", floor, nullptr);
        printStartupRow(platform, "Tamsel", tamsel, &floor);
        std::fflush(stdout);
    }
    return true;
}

void benchIdle(const Config &config)
{
    std::printf("\n## Idle: paint events in %d ms after the start-up paints\n\n"
                "| platform | paints | widgets painted |\n|---|---|---|\n",
                config.idleMs);
    for (const QString &platform : platforms()) {
        const QStringList args{kIdleMode, QString::number(config.idleMs)};
        const std::optional<ChildReport> r = runChild(args, platform, kIdleFields);
        if (!r)
            return;
        std::printf("| %s | %s | %s |\n", qPrintable(platform), r->fields[1].constData(),
                    r->fields.size() > 2 ? r->fields.mid(2).join(' ').constData() : "none");
        std::fflush(stdout);
    }
}

// The 1, 5 and 15 minute figures: the machine is shared, and this says how busy it was.
QByteArray loadAverage()
{
    constexpr qsizetype figures = 3;
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().split(' ').mid(0, figures).join(' ') : QByteArray("unknown");
}

void printHeader(bool quick)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
#ifdef NDEBUG
    const char *build = "optimised";
#else
    const char *build = "debug (figures not representative)";
#endif
    std::printf("# tamsel_bench%s\n\nQt %s, platform %s, device pixel ratio %.2f, logical dpi %.0f, build %s.\n"
                "Load average (1, 5, 15 min) at the start: %s.\n",
                quick ? " (quick smoke run: figures mean nothing)" : "", qVersion(),
                qPrintable(QGuiApplication::platformName()), screen->devicePixelRatio(), screen->logicalDotsPerInchX(),
                build, loadAverage().constData());
}

} // namespace

int main(int argc, char **argv)
{
    const Clock::time_point mainEntered = Clock::now();
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == kStartupMode && argc > 3)
        return startupChild(argc, argv, mainEntered);
    if (mode == kIdleMode && argc > 2)
        return idleChild(argc, argv);

    QApplication app(argc, argv);
    const bool quick = mode == QStringLiteral("--quick");
    const Config config = quick ? kQuickConfig : Config{};
    printHeader(quick);
    benchFigurePaints(config);
    benchInk(config);
    if (benchStartup(config))
        benchIdle(config);
    std::printf("\nLoad average at the end: %s.\n", loadAverage().constData());
    return failures == 0 ? 0 : 1;
}
