#include "StartupBench.h"

#include "ChildRun.h"
#include "FillWidget.h"
#include "PaintWatch.h"
#include "PictureBox.h"
#include "Tamsel.h"

#include <QApplication>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>
#include <map>
#include <memory>

namespace Bench {

namespace {

constexpr double kStartupTargetRatio = 1.2;
constexpr double kRssTargetRatio = 1.3;
constexpr double kKiBPerMiB = 1024.0;
const QString kTamselWindow = QStringLiteral("tamsel");
const QString kFloorWindow = QStringLiteral("floor");
// What the child prints: a tag, then two times and two sizes.
constexpr qsizetype kStartupFields = 5;

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

} // namespace

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

namespace {

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

} // namespace

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

} // namespace Bench
