#include "KeepBench.h"

#include "InkAutosave.h"
#include "InkKeeping.h"
#include "InkStore.h"
#include "PageTable.h"
#include "Scriba.h"
#include "TabControl.h"
#include "Tamsel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMouseEvent>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <numbers>

namespace Bench {

namespace {

using core::InkFile;

constexpr double kSaveBoundMs = 100;
constexpr double kRestoreBoundMs = 200;
constexpr double kExportBoundMs = 1000;
constexpr int kPointsPerStroke = 500;
// A pen reports about 250 times a second.
constexpr int kPenIntervalMs = 4;
constexpr int kExportTimeoutMs = 30000;
constexpr int kFullRestoreTimeoutMs = 120000;
constexpr int kPollMs = 10;
// The full file's stroke, in the polygon's units (radii): rows across the figure.
constexpr float kFullStrokeWidth = 0.02f;
constexpr double kFullSpan = 1.8;
constexpr double kFullRows = 200;
constexpr double kFullWave = 0.05;
constexpr double kFullWavePerPoint = 0.01;
const core::Color kInk{255, 255, 255};

// Ink in the polygon's units (radii): rows of wavy strokes across the figure.
InkFile::Board inkOf(int points)
{
    InkFile::Board board(std::size_t(core::PageTable::count()));
    for (int stroke = 0; stroke * kPointsPerStroke < points; ++stroke) {
        core::Stroke s{kInk.rgba(), 0.02f, {}};
        const int count = std::min(kPointsPerStroke, points - stroke * kPointsPerStroke);
        for (int i = 0; i < count; ++i)
            s.points.push_back({float(-1.2 + 2.4 * i / count), float(-0.9 + 0.03 * (stroke % 60) +
                                                                      0.01 * std::sin(i * std::numbers::pi / 20)),
                                1.0f});
        board[0].push_back(std::move(s));
    }
    return board;
}

void send(QWidget *w, QEvent::Type type, QPointF at)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, at, w->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

// A stroke drawn at the pen's pace for `ms`, the event loop turning between
// moves; the longest time from one move to the next.
double longestGapMs(Scriba *scriba, int ms)
{
    const QSizeF area = scriba->size();
    const auto at = [&](int i) {
        return QPointF(area.width() * (0.1 + 0.8 * std::fmod(i * 0.003, 1.0)), area.height() * 0.95);
    };
    send(scriba, QEvent::MouseButtonPress, at(0));
    QElapsedTimer clock;
    clock.start();
    double longest = 0, last = 0;
    for (int i = 1; clock.elapsed() < ms; ++i) {
        while (clock.nsecsElapsed() / 1e6 < last + kPenIntervalMs)
            QCoreApplication::processEvents();
        const double now = clock.nsecsElapsed() / 1e6;
        longest = std::max(longest, now - last);
        last = now;
        send(scriba, QEvent::MouseMove, at(i));
    }
    send(scriba, QEvent::MouseButtonRelease, at(0));
    return longest;
}

// A file as full as one may be: one long wavy stroke across the polygon, so
// nearly all its points are skipped when drawn, as a slow scribble's are.
bool writeFullFile(const InkStore &store, int pointsWanted)
{
    const std::int64_t pointBytes = InkFile::bytesOf({0, 0, {core::InkPoint{}}}) - InkFile::bytesOf({});
    const std::int64_t room =
        InkFile::kMaxBytes - InkFile::emptyBoardBytes(core::PageTable::ids()) - InkFile::bytesOf({});
    const std::int64_t points = pointsWanted > 0 ? pointsWanted : room / pointBytes;
    core::Stroke s{kInk.rgba(), kFullStrokeWidth, std::vector<core::InkPoint>(std::size_t(points))};
    for (std::int64_t i = 0; i < points; ++i) {
        const double along = double(i) / double(points);
        s.points[std::size_t(i)] = {float(kFullSpan * (std::fmod(along * kFullRows, 1.0) - 0.5)),
                                    float(kFullSpan * (along - 0.5) + kFullWave * std::sin(i * kFullWavePerPoint)), 1.0f};
    }
    InkFile::Board board(std::size_t(core::PageTable::count()));
    board[0].push_back(std::move(s));
    const std::optional<InkFile::Bytes> bytes = InkFile::encode(board, core::PageTable::ids());
    if (bytes && !store.save(*bytes))
        return true;
    fail(QStringLiteral("the full file could not be written"));
    return false;
}

// The page menu's restore of a full file while a timer asks for the event
// loop every millisecond: how long until the stroke is on the page, and the
// longest the loop waited, the autosave that follows included.
void benchFullRestore(const Config &config, const QString &folder)
{
    if (!writeFullFile(InkStore(folder, core::PageTable::count()), config.fullRestorePoints))
        return;
    Tamsel window;
    showExposed(window);
    auto *keeping = new InkKeeping(window, folder);
    QElapsedTimer clock;
    double last = 0, longest = 0;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.nsecsElapsed() / 1e6 - last);
        last = clock.nsecsElapsed() / 1e6;
    });
    clock.start();
    ticks.start(1);
    keeping->restoreLast();
    while (window.Scriba[0]->ink().strokes().empty() && clock.elapsed() < kFullRestoreTimeoutMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, kPollMs);
    const double arrived = clock.nsecsElapsed() / 1e6;
    if (window.Scriba[0]->ink().strokes().empty())
        fail(QStringLiteral("the full file was not restored"));
    QSignalSpy saved(&keeping->autosave(), &InkAutosave::saved);
    saved.wait(kFullRestoreTimeoutMs);
    std::printf("\nA full file (%lld bytes, one stroke) restored from the page menu: on the page after %.0f ms; "
                "the longest wait of the window's event loop, the autosave that follows included: %.0f ms.\n",
                QFileInfo(InkStore(folder, core::PageTable::count()).currentPath()).size(), arrived, longest);
}

double exportMs(const QString &path, const QStringList &args)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    const auto start = Clock::now();
    child.start(QStringLiteral(TAMSEL_PROGRAM), QStringList{QStringLiteral("--export"), path} + args);
    if (!child.waitForFinished(kExportTimeoutMs) || child.exitCode() != 0)
        fail(QStringLiteral("tamsel --export %1 failed").arg(args.join(' ')));
    return msSince(start);
}

} // namespace

void benchKeep(const Config &config)
{
    QTemporaryDir dir;
    const InkFile::Board board = inkOf(config.keptPoints);
    std::printf("\n## Keeping the board (ms, medians of %d runs)\n\n"
                "A page of %d points in strokes of %d. Save: the copy of the strokes on the UI thread "
                "(Lesson::board), then encoding and writing through QSaveFile (with its flush to disk) as the "
                "worker does. Restore: reading and checking the file, then the strokes back on the page "
                "(Lesson::restoreBoard, drawn into the overlay's cache) at the design window.\n\n",
                config.keepRuns, config.keptPoints, kPointsPerStroke);

    Tamsel window;
    showExposed(window);
    auto *keeping = new InkKeeping(window, dir.path());
    InkStore store(dir.path(), window.pageCount());
    std::vector<double> copy, write, read, restore;
    for (int run = 0; run < config.keepRuns; ++run) {
        window.lesson().ink().clear(0);
        restore.push_back(timeMs([&] { window.lesson().restoreBoard(board); }));
        InkFile::Board copied;
        copy.push_back(timeMs([&] { copied = window.lesson().board(); }));
        write.push_back(timeMs([&] { store.save(InkFile::encode(copied, core::PageTable::ids()).value()); }));
        read.push_back(timeMs([&] {
            if (InkStore::load(store.currentPath(), window.pageCount()).board[0].size() != board[0].size())
                fail(QStringLiteral("the saved page came back different"));
        }));
    }
    const double saveMs = median(copy) + median(write);
    const double restoreMs = median(read) + median(restore);
    std::printf("| step | ms | bound |\n|---|---|---|\n");
    std::printf("| save: copy on the UI thread | %.2f | |\n| save: encode and write on the worker | %.2f | |\n",
                median(copy), median(write));
    std::printf("| save, both | %.2f | %.0f ms: %s |\n", saveMs, kSaveBoundMs, verdict(saveMs, kSaveBoundMs).constData());
    std::printf("| restore: read and check the file | %.2f | |\n| restore: strokes back on the page | %.2f | |\n",
                median(read), median(restore));
    std::printf("| restore, both | %.2f | %.0f ms: %s |\n", restoreMs, kRestoreBoundMs,
                verdict(restoreMs, kRestoreBoundMs).constData());

    // The pen while an autosave of the whole page runs, beside the pen alone.
    keeping->autosave().flush();
    const double alone = longestGapMs(window.Scriba[0], config.drawDuringSaveMs);
    keeping->autosave().flush();
    QSignalSpy saved(&keeping->autosave(), &InkAutosave::saved);
    keeping->autosave().noteChange();
    const double duringSave = longestGapMs(window.Scriba[0], config.drawDuringSaveMs);
    if (saved.count() == 0)
        fail(QStringLiteral("no autosave ran while the pen drew"));
    std::printf("\nLongest gap between two pen moves (one every %d ms), drawing for %d ms on the page of %d points: "
                "%.2f ms with an autosave of the page in that time, %.2f ms without.\n",
                kPenIntervalMs, config.drawDuringSaveMs, config.keptPoints, duringSave, alone);

    std::vector<double> polygon, sectors;
    for (int run = 0; run < config.keepRuns; ++run) {
        polygon.push_back(exportMs(dir.filePath(QStringLiteral("p.png")), {QStringLiteral("--size"), QStringLiteral("3840x2160")}));
        sectors.push_back(exportMs(dir.filePath(QStringLiteral("s.png")),
                                   {QStringLiteral("--page"), QStringLiteral("2"), QStringLiteral("--value"),
                                    QStringLiteral("32"), QStringLiteral("--step"), QStringLiteral("64"),
                                    QStringLiteral("--size"), QStringLiteral("3840x2160")}));
    }
    std::printf("\n`tamsel --export x.png --size 3840x2160` from process start to exit (QProcess), medians of %d:\n\n"
                "| page | ms | within %.0f ms |\n|---|---|---|\n| polygon, 3 sides | %.1f | %s |\n"
                "| 64 sectors, all moved | %.1f | %s |\n",
                config.keepRuns, kExportBoundMs, median(polygon), verdict(median(polygon), kExportBoundMs).constData(),
                median(sectors), verdict(median(sectors), kExportBoundMs).constData());
    benchFullRestore(config, dir.filePath(QStringLiteral("full")));
    std::fflush(stdout);
}

} // namespace Bench
