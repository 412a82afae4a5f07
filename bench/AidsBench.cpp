#include "AidsBench.h"

#include "PageRenderer.h"
#include "PageTable.h"
#include "PainterDrawOps.h"
#include "ParallelogramFigure.h"
#include "PolygonFigure.h"
#include "QtTextMeasure.h"

#include <QImage>
#include <QPainter>

#include <cstdio>
#include <functional>

namespace Bench {

namespace {

using core::DrawOps;
using core::LessonAids;
using core::LineWeight;
using core::ParallelogramFigure;
using core::PolygonFigure;

constexpr double kAidsBoundMs = 2.0;
constexpr int kPolygonPage = 0;
constexpr int kArcPage = 1;
constexpr int kSectorsPage = 2;
constexpr int kPolygonReadoutSides = 12;
constexpr int kArcDegrees = 100;
const QColor kBoard{0, 128, 0};

struct AidsCase
{
    const char *name;
    int page;
    int value;
    int step;
    int formulaLines;
};

core::PageView viewOf(const AidsCase &c, const DrawOps &ops, LineWeight weight)
{
    return {c.page, core::Size(int(ops.ScaleWidth()), int(ops.ScaleHeight())), c.value, c.step, weight, true,
            c.formulaLines};
}

// Each sample starts from a fresh board; only the part named is timed.
Summary timeOnImage(QImage &image, const Config &config, LineWeight weight,
                    const std::function<void(DrawOps &)> &untimed, const std::function<void(DrawOps &)> &timed)
{
    std::vector<double> ms;
    const int runs = config.warmupRepaints + config.repaints;
    for (int i = 0; i < runs; ++i) {
        image.fill(kBoard);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        core::DrawState state;
        // As a picture paints: heavier lines may take the faster way.
        PainterDrawOps ops(painter, state, float(image.width()), float(image.height()), weight.factor() > 1);
        untimed(ops);
        const auto start = Clock::now();
        timed(ops);
        painter.end();
        if (i >= config.warmupRepaints)
            ms.push_back(msSince(start));
    }
    return summarize(std::move(ms));
}

} // namespace

void benchAids(const Config &config)
{
    constexpr int sectors = 2 * ParallelogramFigure::kMaxHalf;
    const AidsCase cases[] = {
        {"polygon, 12 sides", kPolygonPage, kPolygonReadoutSides, 0, 0},
        {"polygon, 64 sides", kPolygonPage, PolygonFigure::kMaxSides, 0, 0},
        {"arc, 100°", kArcPage, kArcDegrees, 0, 0},
        {"parallelogram, 64 sectors, step 32", kSectorsPage, ParallelogramFigure::kMaxHalf, sectors / 2, 0},
        {"parallelogram, 64 sectors, finished, whole formula", kSectorsPage, ParallelogramFigure::kMaxHalf, sectors,
         LessonAids::kFormulaLines},
        {"parallelogram, 8 sectors, finished, whole formula", kSectorsPage, 4, 8, LessonAids::kFormulaLines},
    };
    std::printf("\n## Lesson aids over each figure (PageRenderer::aids and LessonAids::paint, ms)\n\n"
                "Into a %s image through PainterDrawOps, the figure drawn first and not timed. Floor: filling the "
                "image once.\n\n",
                sizeText(kUltraHd).constData());
    std::printf("| aids of | line weight | aids median | aids p99 | figure median | floor median | "
                "aids median within %.0f ms | aids p99 within %.0f ms |\n|---|---|---|---|---|---|---|---|\n",
                kAidsBoundMs, kAidsBoundMs);
    QImage image(kUltraHd, QImage::Format_RGB32);
    const auto nothing = [](DrawOps &) {};
    std::vector<double> fills;
    for (int i = 0; i < config.repaints; ++i)
        fills.push_back(timeMs([&] { image.fill(kBoard); }));
    const Summary floor = summarize(std::move(fills));
    for (const LineWeight weight : {LineWeight(), LineWeight::fromFactor(LineWeight::kChoices.back().factor).value()})
        for (const AidsCase &c : cases) {
            const auto figure = [&](DrawOps &ops) {
                core::PageTable::rows().at(std::size_t(c.page)).paintFigure(ops, viewOf(c, ops, weight));
            };
            const auto aids = [&](DrawOps &ops) {
                core::PageRenderer::aids(viewOf(c, ops, weight), QtTextMeasure::instance()).paint(ops);
            };
            const Summary aidsTime = timeOnImage(image, config, weight, figure, aids);
            const Summary figureTime = timeOnImage(image, config, weight, nothing, figure);
            std::printf("| %s | ×%d | %.3f | %.3f | %.3f | %.3f | %s | %s |\n", c.name, weight.factor(), aidsTime.median,
                        aidsTime.p99, figureTime.median, floor.median, verdict(aidsTime.median, kAidsBoundMs).constData(),
                        verdict(aidsTime.p99, kAidsBoundMs).constData());
            std::fflush(stdout);
        }
}

} // namespace Bench
