#include "FigurePaintBench.h"

#include "ArcFigure.h"
#include "FillWidget.h"
#include "LineWeight.h"
#include "PageImage.h"
#include "PaintWatch.h"
#include "ParallelogramFigure.h"
#include "PictureBox.h"
#include "PolygonFigure.h"
#include "ScrollBar.h"
#include "TabControl.h"
#include "Tamsel.h"

#include <array>
#include <cstdio>
#include <functional>
#include <optional>
#include <utility>

namespace Bench {

namespace {

using core::ArcFigure;
using core::LineWeight;
using core::ParallelogramFigure;
using core::PolygonFigure;

constexpr double kFullHdTargetMs = 2.0;
// A figure change at 4K within one frame of a 60 Hz screen.
constexpr double kUltraHdTargetMs = 16.7;
// A repaint whose page is unchanged, as under a moving pen, copies its kept pixels.
constexpr double kKeptRepaintTargetMs = 2.0;
constexpr int kArcThreeQuarterDegrees = 270;
constexpr int kQuarterDegrees = 90;
constexpr int kPaperSides = 12;

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
            w.lesson().stepSectors(s - w.lesson().step());
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
        {"polygon, 12 sides, aids alone", 0,
         [](Tamsel &w) {
             w.PolyScroll->setValue(kPaperSides);
             w.lesson().toggleAids();
         }},
        {"polygon, 12 sides, squared paper alone", 0,
         [](Tamsel &w) {
             w.PolyScroll->setValue(kPaperSides);
             w.lesson().setGrid(true);
         }},
        {"polygon, 12 sides, squared paper tinted, two squares", 0,
         [](Tamsel &w) {
             w.PolyScroll->setValue(kPaperSides);
             w.lesson().setGrid(true);
             w.lesson().setSquares(true);
             w.lesson().toggleAids();
         }},
        {"arc, 90°, squared paper tinted", 1,
         [](Tamsel &w) {
             w.CirScroll->setValue(kQuarterDegrees);
             w.lesson().setGrid(true);
             w.lesson().toggleAids();
         }},
    };
}

PictureBox *pictureOf(const Tamsel &w, int page)
{
    return std::array{w.PolyPic, w.CirPic, w.ccPic, w.WhPic}.at(std::size_t(page));
}

// Synchronous repaints, each painted into the backing store and flushed;
// `before` runs first, timed with it.
Summary timeRepaints(QWidget *widget, const Config &config, const std::function<void()> &before = [] {})
{
    settle();
    for (int i = 0; i < config.warmupRepaints; ++i) {
        before();
        widget->repaint();
    }
    PaintWatch watch(widget);
    std::vector<double> ms;
    for (int i = 0; i < config.repaints; ++i) {
        const auto start = Clock::now();
        before();
        widget->repaint();
        ms.push_back(msSince(start));
    }
    if (watch.count() != config.repaints)
        fail(QStringLiteral("%1 repaints asked, %2 painted").arg(config.repaints).arg(watch.count()));
    return summarize(std::move(ms));
}

// As when the figure changes: the page drawn anew into pixels the picture's
// size, then the repaint that shows them.
Summary timeFullPaints(Tamsel &window, int page, PictureBox *picture, const Config &config)
{
    QImage pixels = picture->picture().copy();
    const core::PageView view = window.pageView(page);
    return timeRepaints(picture, config, [&] { PageImage::renderInto(pixels, view); });
}

Summary timeFloor(QSize outer, const Config &config)
{
    FillWidget floor;
    floor.resize(outer);
    showExposed(floor);
    return timeRepaints(&floor, config);
}

} // namespace

void benchFigurePaints(const Config &config)
{
    std::printf("\n## Full paint of each figure (the page drawn anew by PageImage, then PictureBox::Refresh, ms)\n");
    Tamsel window;
    showExposed(window);
    struct Pass
    {
        QSize target;
        double bound;
        LineWeight weight;
    };
    const LineWeight heaviest = LineWeight::fromFactor(LineWeight::kChoices.back().factor).value();
    for (const auto &[target, bound, weight] : {Pass{kFullHd, kFullHdTargetMs, LineWeight()},
                                                Pass{kUltraHd, kUltraHdTargetMs, LineWeight()},
                                                Pass{kUltraHd, kUltraHdTargetMs, heaviest}}) {
        window.lesson().setWeight(weight);
        std::printf("\nTarget picture %s, line weight ×%d, bound %.1f ms. Floor: a bare opaque QWidget of the "
                    "picture's outer size whose paintEvent only fills. Kept: PictureBox::Refresh alone, the page "
                    "unchanged, bound %.0f ms.\n\n",
                    sizeText(target).constData(), weight.factor(), bound, kKeptRepaintTargetMs);
        std::printf("| figure | picture inner px | median | p99 | floor median | floor p99 | median ÷ floor | "
                    "median within %.1f ms | p99 within %.1f ms | kept median | kept p99 | kept p99 within %.0f ms |\n"
                    "|---|---|---|---|---|---|---|---|---|---|---|---|\n",
                    bound, bound, kKeptRepaintTargetMs);
        std::optional<Summary> floor;
        for (const FigureCase &c : figureCases()) {
            window.MainTab->setTab(c.page);
            settle();
            // Only the squared paper's cases show the paper and the aids.
            window.lesson().setGrid(false);
            window.lesson().setSquares(false);
            if (window.lesson().aidsShown(c.page))
                window.lesson().toggleAids();
            c.prepare(window);
            PictureBox *picture = pictureOf(window, c.page);
            const QSize inner = fitPicture(window, picture, target);
            const Summary s = timeFullPaints(window, c.page, picture, config);
            const Summary kept = timeRepaints(picture, config);
            if (!floor)
                floor = timeFloor(picture->size(), config);
            std::printf("| %s | %s | %.3f | %.3f | %.3f | %.3f | %.1f | %s | %s | %.3f | %.3f | %s |\n", c.name,
                        sizeText(inner).constData(), s.median, s.p99, floor->median, floor->p99, s.median / floor->median,
                        verdict(s.median, bound).constData(), verdict(s.p99, bound).constData(), kept.median, kept.p99,
                        verdict(kept.p99, kKeptRepaintTargetMs).constData());
            std::fflush(stdout);
        }
    }
}

} // namespace Bench
