#include "MenuBench.h"

#include "PageMenu.h"
#include "PaintWatch.h"
#include "Scriba.h"
#include "Tamsel.h"

#include <QCoreApplication>
#include <QMenu>

#include <cstdio>

namespace Bench {

namespace {

constexpr double kOpenTargetMs = 50.0;
constexpr int kOpenTimeoutMs = 2000;

// From popup() until the menu has painted once.
double openMs(Tamsel &window)
{
    QMenu *menu = window.pageMenu()->menu();
    PaintWatch watch(menu);
    const QPoint at = window.mapToGlobal(window.rect().center());
    const auto start = Clock::now();
    window.pageMenu()->popup(at);
    while (watch.count() == 0 && msSince(start) < kOpenTimeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    const double ms = msSince(start);
    if (watch.count() == 0)
        fail(QStringLiteral("the page menu did not paint"));
    menu->hide();
    settle();
    return ms;
}

} // namespace

void benchMenu(const Config &config)
{
    Tamsel window;
    showExposed(window);
    const double first = openMs(window);
    std::vector<double> again;
    for (int run = 0; run < config.historyRuns; ++run)
        again.push_back(openMs(window));
    const Summary s = summarize(again);
    std::printf("\n## Opening the page menu (ms, from the call to its first paint)\n\n"
                "| first open | later opens, median | later opens, p99 | p99 within %.0f ms |\n|---|---|---|---|\n"
                "| %.2f | %.2f | %.2f | %s |\n",
                kOpenTargetMs, first, s.median, s.p99, verdict(std::max(first, s.p99), kOpenTargetMs).constData());
    std::fflush(stdout);
}

} // namespace Bench
