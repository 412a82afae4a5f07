#include "ParallelogramFigure.h"
#include "RecordingOps.h"

#include <QTest>

#include <cmath>
#include <set>

using Figure = ParallelogramFigure;

class TestParallelogramFigure : public QObject
{
    Q_OBJECT
private slots:
    void radiusAndCentre_data();
    void radiusAndCentre();
    void drawsStep_data();
    void drawsStep();
    void finishedCorners_data();
    void finishedCorners();
};

void TestParallelogramFigure::radiusAndCentre_data()
{
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QList<int>>("expected"); // a, b, R0, R, cx, cy, X0, Y0
    QTest::newRow("600x300") << QSize(600, 300) << QList<int>{99, 148, 99, 98, 100, 150, 274, 199};
    QTest::newRow("odd R0 43 loses one") << QSize(600, 90) << QList<int>{99, 43, 43, 42, 44, 45, 120, 66};
    QTest::newRow("R0 1 gives R 0") << QSize(20, 6) << QList<int>{-1, 1, 1, 0, 2, 3, 4, 3};
    QTest::newRow("empty area") << QSize(0, 0) << QList<int>{-4, -2, 1, 0, 2, 0, 4, 0};
}

void TestParallelogramFigure::radiusAndCentre()
{
    QFETCH(QSize, area);
    QFETCH(QList<int>, expected);
    const Figure f = Figure::compute(area.width(), area.height(), 4, 0);
    const QList<int> actual{f.a, f.b, f.R0, f.R, f.centre.x(), f.centre.y(), f.firstApex.x(), f.firstApex.y()};
    QCOMPARE(actual, expected);
}

void TestParallelogramFigure::drawsStep_data()
{
    QTest::addColumn<int>("half");
    QTest::addColumn<int>("step");
    for (int half : {2, 32}) {
        const int n = 2 * half;
        for (int step : std::set<int>{0, 1, half, half + 1, n - 1, n})
            QTest::addRow("V=%d step=%d", half, step) << half << step;
    }
}

// One paint: remaining halves, outline, N + 1 radius lines, then the moved sectors.
void TestParallelogramFigure::drawsStep()
{
    QFETCH(int, half);
    QFETCH(int, step);
    const int n = 2 * half;
    const Figure f = Figure::compute(600, 300, half, step);
    RecordingOps ops(600, 300);
    f.paint(ops);

    const std::vector<CircleCall> circles = ops.circles();
    std::size_t at = 0;
    if (step < half) {
        QCOMPARE(circles[at].fill, std::optional<QColor>(Figure::kLowerFill));
        QCOMPARE(circles[at].style, DrawStyle::Invisible);
        ++at;
    }
    const CircleCall &upper = circles[at++];
    QCOMPARE(upper.fill.has_value(), step < n); // at N only an open 0.01° sliver remains
    QCOMPARE(upper.style, DrawStyle::Invisible);

    const QColor outline = step == n ? Figure::kMovedColor : Figure::kRemainingColor;
    QCOMPARE(circles[at].outline, outline);
    QCOMPARE(circles[at].width, 3);
    QCOMPARE(circles[at].shape.whole, step == 0 || step == n);
    ++at;
    if (step > 0 && step < n)
        QCOMPARE(circles[at++].outline, Figure::kMovedColor);

    const std::vector<LineCall> lines = ops.lines();
    QCOMPARE(int(lines.size()), n + 1);
    int blue = 0;
    for (const LineCall &l : lines)
        blue += l.color == Figure::kMovedColor;
    QCOMPARE(blue, step == n ? n + 1 : step);

    QCOMPARE(int(circles.size() - at), step);
    for (int j = 0; j < step; ++j) {
        const CircleCall &moved = circles[at + j];
        QCOMPARE(moved.fill, std::optional<QColor>(j < half ? Figure::kLowerFill : Figure::kUpperFill));
        QCOMPARE(moved.outline, Figure::kRemainingColor);
        QVERIFY(moved.shape.closed());
        QCOMPARE(moved.centre, QPointF(f.moved[j].apex));
    }
    QCOMPARE(ops.fillStyle(), FillStyle::Transparent);

    RecordingOps heavy(600, 300);
    f.paint(heavy, LineWeight::fromFactor(3).value());
    QVERIFY(ops.sameCallsWidened(heavy, 3));
}

void TestParallelogramFigure::finishedCorners_data()
{
    QTest::addColumn<int>("half");
    QTest::newRow("V=2") << 2;
    QTest::newRow("V=4") << 4;
    QTest::newRow("V=32") << 32;
}

void TestParallelogramFigure::finishedCorners()
{
    QFETCH(int, half);
    const Figure f = Figure::compute(600, 300, half, 2 * half);
    const double rs = f.R * f.s, rc = f.R * f.c;
    const QPoint bottomLeft = f.moved.front().apex;
    const QPoint topRight = f.moved.back().apex;
    QCOMPARE(bottomLeft, f.firstApex);
    QCOMPARE(topRight, QPoint(round16(f.firstApex.x() + 2 * half * rs - rs), round16(f.firstApex.y() - rc)));
    // The top-left corner clears the circle even at four sectors.
    QVERIFY(f.firstApex.x() - rs > 2 * f.R + 2);
    // The lower row sits R/2 below the centre, the upper one about R above it.
    QCOMPARE(f.firstApex.y() - f.centre.y(), f.R / 2);
    QVERIFY(std::abs(rc - f.R) < 0.3 * f.R);
}

QTEST_APPLESS_MAIN(TestParallelogramFigure)
#include "tst_parallelogramfigure.moc"
