#include "Convert.h"
#include "PainterDrawOps.h"
#include "ParallelogramFigure.h"
#include "RecordingOps.h"
#include "RectangleFigure.h"
#include "TriangleFigure.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <cmath>

using namespace core;
using Convert::toQt;
using Figure = ParallelogramFigure;
using Arc = QList<double>; // start and sweep in degrees; empty when not drawn

class TestParallelogramFigure : public QObject
{
    Q_OBJECT
private slots:
    void radiusAndCentre_data();
    void radiusAndCentre();
    void drawsStep_data();
    void drawsStep();
    void finishedFigure_data();
    void finishedFigure();
    void rectangleStandsUpright_data();
    void rectangleStandsUpright();
    void ringsApproachTheTriangle_data();
    void ringsApproachTheTriangle();
};

// Picture sizes are inner areas: a client of W × H gives a picture of W − 22 × H − 99.
void TestParallelogramFigure::radiusAndCentre_data()
{
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QList<int>>("expected"); // a, b, R0, R, cx, cy, X0, Y0
    QTest::newRow("600x300") << QSize(600, 300) << QList<int>{99, 148, 99, 98, 100, 150, 274, 199};
    QTest::newRow("design client 548x469") << QSize(526, 370) << QList<int>{87, 183, 87, 86, 88, 185, 240, 228};
    QTest::newRow("odd R0 43 loses one") << QSize(600, 90) << QList<int>{99, 43, 43, 42, 44, 45, 120, 66};
    QTest::newRow("R0 1 gives R 0") << QSize(20, 6) << QList<int>{-1, 1, 1, 0, 2, 3, 4, 3};
    QTest::newRow("empty area") << QSize(0, 0) << QList<int>{-4, -2, 1, 0, 2, 0, 4, 0};
    // Written R 200 ends at most at 1182.5 (V = 30), inside 1187: kept.
    QTest::newRow("1188 wide: written R fits") << QSize(1188, 1000) << QList<int>{201, 498, 201, 200, 202, 500, 554, 600};
    // Written R 322: X0 = 890, at V = 32 the last apex round(890 + 63 × 15.801) = 1885
    // and its right end 1900.8 > 1897. R 320: X0 = 884, apex 1873, end 1888.7.
    QTest::newRow("1920x1080 client") << QSize(1898, 981) << QList<int>{323, 488, 323, 320, 322, 490, 884, 650};
    // Written R 654 ends at 3856.1 (V = 32); 648 still at 3821.1 (V = 31); 646 at 3808.7.
    QTest::newRow("3840x2160 client") << QSize(3818, 2061) << QList<int>{654, 1028, 654, 646, 648, 1030, 1780, 1353};
    // Written R 228 ends at 1347.2 (V = 32) > 1343; 226 at 1336.1.
    QTest::newRow("1366x768 client") << QSize(1344, 669) << QList<int>{228, 332, 228, 226, 228, 334, 626, 447};
}

void TestParallelogramFigure::radiusAndCentre()
{
    QFETCH(QSize, area);
    QFETCH(QList<int>, expected);
    const Figure f = Figure::compute(area.width(), area.height(), 4, 0);
    const QList<int> actual{f.a, f.b, f.R0, f.R, f.centre.x(), f.centre.y(), f.firstApex.x(), f.firstApex.y()};
    QCOMPARE(actual, expected);
    // The circle keeps its size whatever the number of sectors.
    for (int half = Figure::kMinHalf; half <= Figure::kMaxHalf; ++half)
        QCOMPARE(int(Figure::compute(area.width(), area.height(), half, 0).R), expected[3]);
}

void TestParallelogramFigure::drawsStep_data()
{
    QTest::addColumn<int>("half");
    QTest::addColumn<int>("step");
    QTest::addColumn<Arc>("lower");
    QTest::addColumn<Arc>("upper");
    QTest::addColumn<Arc>("red");
    QTest::addColumn<Arc>("blue");
    QTest::addColumn<QString>("lines");   // colour of each radius line: B blue, R red
    QTest::addColumn<QPoint>("lastApex"); // of the last sector moved, in 600 × 300
    const auto lines = [](int blue, int red) { return QString(blue, 'B') + QString(red, 'R'); };
    // V = 2: θ = 90.0025°, the half 180.005°, so the lower half starts at 179.995°.
    // R = 98: R·s = 69.298, R·c = 69.295; X0 = 274, Y0 = 199.
    QTest::newRow("V=2 at rest") << 2 << 0 << Arc{179.995, 180.005} << Arc{0, 179.995} << Arc{0, 360} << Arc{}
                                 << lines(0, 5) << QPoint();
    QTest::newRow("V=2 one moved") << 2 << 1 << Arc{179.995, 90.0025} << Arc{0, 179.995} << Arc{0, 269.9975}
                                   << Arc{269.9975, 90.0025} << lines(1, 4) << QPoint(274, 199);
    QTest::newRow("V=2 lower half moved") << 2 << 2 << Arc{} << Arc{0, 179.995} << Arc{0, 179.995}
                                          << Arc{179.995, 180.005} << lines(2, 3) << QPoint(413, 199);
    QTest::newRow("V=2 three moved") << 2 << 3 << Arc{} << Arc{0, 89.9925} << Arc{0, 89.9925} << Arc{89.9925, 270.0075}
                                     << lines(3, 2) << QPoint(343, 130);
    QTest::newRow("V=2 finished") << 2 << 4 << Arc{} << Arc{0, 0.01} << Arc{} << Arc{0, 360} << lines(5, 0)
                                  << QPoint(482, 130);
    // V = 32: θ = 5.62515625°; R·s = 4.8088, R·c = 97.882.
    QTest::newRow("V=32 at rest") << 32 << 0 << Arc{179.995, 180.005} << Arc{0, 179.995} << Arc{0, 360} << Arc{}
                                  << lines(0, 65) << QPoint();
    QTest::newRow("V=32 one moved") << 32 << 1 << Arc{179.995, 174.37984375} << Arc{0, 179.995}
                                    << Arc{0, 354.37484375} << Arc{354.37484375, 5.62515625} << lines(1, 64)
                                    << QPoint(274, 199);
    QTest::newRow("V=32 lower half moved") << 32 << 32 << Arc{} << Arc{0, 179.995} << Arc{0, 179.995}
                                           << Arc{179.995, 180.005} << lines(32, 33) << QPoint(572, 199);
    QTest::newRow("V=32 one point up") << 32 << 33 << Arc{} << Arc{0, 174.36984375} << Arc{0, 174.36984375}
                                       << Arc{174.36984375, 185.63015625} << lines(33, 32) << QPoint(279, 101);
    QTest::newRow("V=32 one left") << 32 << 63 << Arc{} << Arc{0, 5.61515625} << Arc{0, 5.61515625}
                                   << Arc{5.61515625, 354.38484375} << lines(63, 2) << QPoint(567, 101);
    QTest::newRow("V=32 finished") << 32 << 64 << Arc{} << Arc{0, 0.01} << Arc{} << Arc{0, 360} << lines(65, 0)
                                   << QPoint(577, 101);
}

// One paint: remaining halves, outline, N + 1 radius lines, then the moved sectors.
void TestParallelogramFigure::drawsStep()
{
    QFETCH(int, half);
    QFETCH(int, step);
    QFETCH(Arc, lower);
    QFETCH(Arc, upper);
    QFETCH(Arc, red);
    QFETCH(Arc, blue);
    QFETCH(QString, lines);
    QFETCH(QPoint, lastApex);
    RecordingOps ops(600, 300);
    const Figure f = Figure::compute(600, 300, half, step);
    f.paint(ops);

    const std::vector<CircleCall> circles = ops.circles();
    auto next = circles.begin();
    const auto expectArc = [&](const Arc &want, const char *what) {
        const Arc got{std::fmod(next->shape.startDegrees, 360.0), next->shape.sweepDegrees};
        QVERIFY2(std::abs(got[0] - want[0]) < 1e-3 && std::abs(got[1] - want[1]) < 1e-3,
                 qPrintable(QString("%1: %2, %3").arg(what).arg(got[0]).arg(got[1])));
    };
    if (!lower.isEmpty()) {
        expectArc(lower, "lower half");
        QCOMPARE(next->fill, std::optional<Color>(Figure::kLowerFill));
        QCOMPARE((next++)->style, DrawStyle::Invisible);
    }
    expectArc(upper, "upper half");
    // At N only an open 0.01° sliver remains.
    QCOMPARE(next->fill, step < 2 * half ? std::optional<Color>(Figure::kUpperFill) : std::nullopt);
    QCOMPARE((next++)->style, DrawStyle::Invisible);
    for (const auto &[arc, colour] : {std::pair{red, Figure::kRemainingColor}, std::pair{blue, Figure::kMovedColor}}) {
        if (arc.isEmpty())
            continue;
        expectArc(arc, "outline");
        QCOMPARE(next->outline, colour);
        QCOMPARE((next++)->width, 3);
    }

    QString lineColours;
    for (const LineCall &l : ops.lines())
        lineColours += l.color == Figure::kMovedColor ? 'B' : l.color == Figure::kRemainingColor ? 'R' : '?';
    QCOMPARE(lineColours, lines);

    QCOMPARE(int(circles.end() - next), step);
    for (int j = 0; next != circles.end(); ++j, ++next) {
        QCOMPARE(next->fill, std::optional<Color>(j < half ? Figure::kLowerFill : Figure::kUpperFill));
        QCOMPARE(next->outline, Figure::kRemainingColor);
        QVERIFY(next->shape.closed());
    }
    if (step > 0)
        QCOMPARE(toQt(circles.back().centre), QPointF(lastApex));
    QCOMPARE(ops.fillStyle(), FillStyle::Transparent);

    RecordingOps heavy(600, 300);
    f.paint(heavy, LineWeight::fromFactor(3).value());
    QVERIFY(ops.sameCallsWidened(heavy, LineWeight::fromFactor(3).value()));
}

void TestParallelogramFigure::finishedFigure_data()
{
    QTest::addColumn<QSize>("area");
    QTest::addColumn<int>("half");
    QTest::newRow("600x300, V=2") << QSize(600, 300) << 2;
    QTest::newRow("1920x1080 client, V=26") << QSize(1898, 981) << 26;
    QTest::newRow("1920x1080 client, V=32") << QSize(1898, 981) << 32;
    QTest::newRow("1366x768 client, V=29") << QSize(1344, 669) << 29;
    QTest::newRow("3840x2160 client, V=31") << QSize(3818, 2061) << 31;
    QTest::newRow("3840x2160 client, V=32") << QSize(3818, 2061) << 32;
}

// Painted onto a wider image, the finished figure leaves every column right
// of the picture untouched, and its top-left corner clears the circle.
void TestParallelogramFigure::finishedFigure()
{
    QFETCH(QSize, area);
    QFETCH(int, half);
    constexpr int kBeyondPx = 16;
    const QColor background(0, 128, 0);
    QImage image(area.width() + kBeyondPx, area.height(), QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    DrawState state;
    PainterDrawOps ops(painter, state, area.width(), area.height());
    const Figure f = Figure::compute(area.width(), area.height(), half, 2 * half);
    f.paint(ops);
    painter.end();
    for (int x = area.width(); x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            QVERIFY2(image.pixelColor(x, y) == background, qPrintable(QString("drawn at (%1, %2)").arg(x).arg(y)));
    const double leanPx = f.R * std::sin(M_PI / (2 * half));
    QVERIFY(f.firstApex.x() - leanPx > 2 * f.R + 2);
}

void TestParallelogramFigure::rectangleStandsUpright_data() { finishedFigure_data(); }

// Painted alone, the finished rectangle's first and last columns of figure
// stay within a pixel from just under its top to just over its base, a radius
// apart in height; its base is the N chords of the sectors' arcs, N·R·sin(π/N).
void TestParallelogramFigure::rectangleStandsUpright()
{
    QFETCH(QSize, area);
    QFETCH(int, half);
    const QColor background(0, 128, 0);
    QImage image(area, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    DrawState state;
    PainterDrawOps ops(painter, state, area.width(), area.height());
    const RectangleFigure f = RectangleFigure::compute(area.width(), area.height(), half, 2 * half);
    for (const RectangleFigure::Piece &p : f.moved) {
        ops.setFillStyle(FillStyle::Solid);
        ops.setFillColor(p.fill);
        ops.Circle(p.apex, f.circle.R, std::nullopt, p.start, p.end);
    }
    painter.end();
    const int R = f.circle.R;
    const int base = int(std::lround(f.firstFoot.y()));
    int leftMost = area.width(), leftLeast = 0, rightMost = 0, rightLeast = area.width();
    for (int y = base - R + 2; y <= base - 2; ++y) {
        int first = -1, last = -1;
        for (int x = 0; x < area.width(); ++x)
            if (image.pixelColor(x, y) != background) {
                if (first < 0)
                    first = x;
                last = x;
            }
        QVERIFY2(first >= 0, qPrintable(QString("row %1 empty").arg(y)));
        leftMost = std::min(leftMost, first), leftLeast = std::max(leftLeast, first);
        rightMost = std::max(rightMost, last), rightLeast = std::min(rightLeast, last);
    }
    QVERIFY2(leftLeast - leftMost <= 1, qPrintable(QString("left edge %1..%2").arg(leftMost).arg(leftLeast)));
    QVERIFY2(rightMost - rightLeast <= 1, qPrintable(QString("right edge %1..%2").arg(rightLeast).arg(rightMost)));
    QVERIFY(image.pixelColor(leftMost, base - R + 1) != background);
    QCOMPARE(image.pixelColor(leftMost, base - R - 2), background);
    const double chords = 2 * half * R * std::sin(M_PI / (2 * half));
    QVERIFY2(std::abs((rightMost - leftMost) - chords) <= 1.5,
             qPrintable(QString("base %1, chords %2").arg(rightMost - leftMost).arg(chords)));
}

void TestParallelogramFigure::ringsApproachTheTriangle_data()
{
    QTest::addColumn<QSize>("area");
    QTest::newRow("design client") << QSize(526, 370);
    QTest::newRow("1024x768 client") << QSize(1002, 669);
    QTest::newRow("1920x1080 client") << QSize(1898, 981);
    QTest::newRow("3840x2160 client") << QSize(3818, 2061);
}

// Unrolled, ring k of N (from the centre) is as long as its middle circle,
// 2π(k + ½)r/N, and r/N high: the strips stand exactly r high, the longest
// falls short of 2πr by πr/N, and together they hold the circle's area.
void TestParallelogramFigure::ringsApproachTheTriangle()
{
    QFETCH(QSize, area);
    double shortBefore = 1e9;
    for (const int half : {2, 8, 32}) {
        const int rings = 2 * half;
        const TriangleFigure f = TriangleFigure::compute(area.width(), area.height(), half, rings);
        QCOMPARE(int(f.strips.size()), rings);
        QVERIFY(f.r > 0);
        QVERIFY(std::abs(f.baseMiddle.y() - f.strips.back().top() - f.r) < 1e-9);
        const double shortBy = 2 * M_PI * f.r - f.strips.front().width();
        QVERIFY2(std::abs(shortBy - M_PI * f.r / rings) < 1e-6, qPrintable(QString::number(shortBy)));
        QVERIFY(shortBy < shortBefore);
        shortBefore = shortBy;
        double held = 0;
        for (const RectF &s : f.strips)
            held += s.width() * s.height();
        QVERIFY(std::abs(held - M_PI * f.r * f.r) < 1e-6 * held);
        // The whole figure stays in the picture, the circle over the apex.
        QVERIFY(f.strips.front().left() >= 0 && f.strips.front().right() <= area.width());
        QVERIFY(f.centre.y() + f.r < f.baseMiddle.y() - f.r && f.centre.y() - f.r >= 0);
        QVERIFY(f.baseMiddle.y() < area.height());
    }
}

QTEST_APPLESS_MAIN(TestParallelogramFigure)
#include "tst_parallelogramfigure.moc"
