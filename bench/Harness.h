#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

#include <array>
#include <chrono>
#include <functional>
#include <vector>

class QWidget;
class Tamsel;

// What every benchmark shares: the run's counts, summaries of samples, timing,
// verdicts against a bound, and waiting for windows to settle.
namespace Bench {

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
    int historyRuns = 10;
    int shortStrokePoints = 100'000;
    int scribblePoints = 1'000'000;
    int keptPoints = 100'000;
    int keepRuns = 9;
    int drawDuringSaveMs = 2500;
    // One stroke for the restore of a full file; 0: as many points as one file holds.
    int fullRestorePoints = 0;
};

// Small enough to check that every part runs and prints; its figures mean nothing.
inline constexpr Config kQuickConfig{.repaints = 3,
                                     .warmupRepaints = 1,
                                     .segments = 20,
                                     .pointsHeld = {0, 100, 1000},
                                     .rebuildRuns = 1,
                                     .startupRuns = 1,
                                     .idleMs = 200,
                                     .historyRuns = 1,
                                     .shortStrokePoints = 1000,
                                     .scribblePoints = 5000,
                                     .keptPoints = 1000,
                                     .keepRuns = 1,
                                     .drawDuringSaveMs = 1800,
                                     .fullRestorePoints = 1000};

inline constexpr QSize kFullHd{1920, 1080};
inline constexpr QSize kUltraHd{3840, 2160};

struct Summary
{
    double median = 0;
    double p99 = 0;
};

Summary summarize(std::vector<double> samples);
double median(std::vector<double> samples);

// Something the figures cannot be trusted after; it fails the run.
void fail(const QString &what);
int failures();

double msSince(Clock::time_point start);
double usSince(Clock::time_point start);
double timeMs(const std::function<void()> &work);

// "met", or by how many times the figure is over its bound.
QByteArray verdict(double value, double bound);
QByteArray sizeText(QSize s);

void settle();
void showExposed(QWidget &w);
// Resizes the window until the picture's inner area is `inner`, or as near as
// the layout's rounding allows; returns what it got.
QSize fitPicture(Tamsel &window, const QWidget *picture, QSize inner);

long vmRssKb();
// Bytes the C library has handed out and not had back; -1 where it cannot tell.
long long heapInUseBytes();
// Gives freed heap back to the system, so the resident size shows what is kept.
void returnFreeMemory();
// The 1, 5 and 15 minute figures: the machine is shared, and this says how busy it was.
QByteArray loadAverage();

} // namespace Bench
