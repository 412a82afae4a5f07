#include "AidsBench.h"

#include "ArcFigure.h"
#include "LessonAids.h"
#include "PainterDrawOps.h"
#include "ParallelogramFigure.h"
#include "PolygonFigure.h"

#include <QImage>
#include <QPainter>

#include <cstdio>
#include <functional>

namespace Bench {

namespace {

constexpr double kAidsBoundMs = 2.0;
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

void paintFigure(const AidsCase &c, DrawOps &ops, LineWeight weight)
{
    const float w = ops.ScaleWidth(), h = ops.ScaleHeight();
    switch (c.page) {
    case LessonAids::kPolygonPage:
        PolygonFigure::compute(w, h, c.value).paint(ops, weight);
        break;
    case LessonAids::kArcPage:
        ArcFigure::compute(w, h, c.value).paint(ops, weight);
        break;
    default:
        ParallelogramFigure::compute(w, h, c.value, c.step).paint(ops, weight);
        break;
    }
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
        DrawState state;
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
        {"polygon, 12 sides", LessonAids::kPolygonPage, kPolygonReadoutSides, 0, 0},
        {"polygon, 64 sides", LessonAids::kPolygonPage, PolygonFigure::kMaxSides, 0, 0},
        {"arc, 100°", LessonAids::kArcPage, kArcDegrees, 0, 0},
        {"parallelogram, 64 sectors, step 32", LessonAids::kSectorsPage, ParallelogramFigure::kMaxHalf, sectors / 2, 0},
        {"parallelogram, 64 sectors, finished, whole formula", LessonAids::kSectorsPage, ParallelogramFigure::kMaxHalf,
         sectors, LessonAids::kFormulaLines},
        {"parallelogram, 8 sectors, finished, whole formula", LessonAids::kSectorsPage, 4, 8, LessonAids::kFormulaLines},
    };
    std::printf("\n## Lesson aids over each figure (LessonAids::compute and paint, ms)\n\n"
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
            const auto figure = [&](DrawOps &ops) { paintFigure(c, ops, weight); };
            const auto aids = [&](DrawOps &ops) {
                LessonAids::compute(c.page, ops.ScaleWidth(), ops.ScaleHeight(), c.value, c.step, c.formulaLines, weight)
                    .paint(ops);
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
