// Times what a teacher feels: a figure's full repaint, the lesson aids over it,
// the sectors page's steps and drags,
// ink on a full page, the page menu, keeping the board, the start-up and the
// idle window, each beside a floor made of bare Qt widgets.
// Prints Markdown tables. Run with QT_QPA_PLATFORM=offscreen; with DISPLAY set
// to an X server (Xvfb) the start-up and idle runs are repeated under xcb.

#include "AidsBench.h"
#include "FigurePaintBench.h"
#include "Harness.h"
#include "IdleBench.h"
#include "InkBench.h"
#include "InkHistoryBench.h"
#include "MenuBench.h"
#include "KeepBench.h"
#include "SectorsBench.h"
#include "StartupBench.h"

#include <QApplication>
#include <QScreen>

#include <cstdio>

namespace {

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
                build, Bench::loadAverage().constData());
}

} // namespace

int main(int argc, char **argv)
{
    using namespace Bench;
    const Clock::time_point mainEntered = Clock::now();
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == kStartupMode && argc > 3)
        return startupChild(argc, argv, mainEntered);
    if (mode == kIdleMode && argc > 2)
        return idleChild(argc, argv);

    QApplication app(argc, argv);
    const bool quick = mode == QStringLiteral("--quick");
    const Config config = quick ? kQuickConfig : Config{};
    // `tamsel_bench PART` runs one part alone.
    const QString only = quick ? QString() : mode;
    const auto runs = [&only](const char *part) { return only.isEmpty() || only == QLatin1String(part); };
    printHeader(quick);
    if (runs("figures"))
        benchFigurePaints(config);
    if (runs("aids"))
        benchAids(config);
    if (runs("sectors"))
        benchSectors(config);
    if (runs("ink")) {
        benchInk(config);
        benchInkHistory(config);
    }
    if (runs("menu"))
        benchMenu(config);
    if (runs("keep"))
        benchKeep(config);
    if (runs("startup") && benchStartup(config))
        benchIdle(config);
    std::printf("\nLoad average at the end: %s.\n", loadAverage().constData());
    return failures() == 0 ? 0 : 1;
}
