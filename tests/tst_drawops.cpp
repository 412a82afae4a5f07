#include "AidFont.h"
#include "Convert.h"
#include "PainterDrawOps.h"
#include "RecordingOps.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <cmath>

using namespace core;
using Convert::toCore;
using Convert::toQt;

namespace {
constexpr double kPi = 3.14159265358979;

// Heavy lines are drawn by Qt, flat with discs on their ends. Qt covers a
// pixel by the area it shares with the line, where the rows below were worked
// out by the distance of the pixel's centre from the axis: the two differ by up
// to 25 levels, most at the first pixel past a round end (230 for 255).
constexpr int kAreaCoverageSlack = 25;

// Anti-aliasing may shave a unit or two off a colour.
bool near(const QColor &actual, const QColor &expected)
{
    return std::abs(actual.red() - expected.red()) <= 8 && std::abs(actual.green() - expected.green()) <= 8
        && std::abs(actual.blue() - expected.blue()) <= 8;
}
} // namespace

class TestDrawOps : public QObject
{
    Q_OBJECT
private slots:
    void circleRules_data();
    void circleRules();
    void colourArgumentOverridesForeColor();
    void lineMovesCurrentPosition();
    void rendersUpperRightQuarter();
    void onlyWidePensSmooth_data();
    void onlyWidePensSmooth();
    void heavyLinesDrawnByHand_data();
    void heavyLinesDrawnByHand();
    void heavyCircleDrawnByHand();
    void textFillsItsBoxInsideItsOutline();
};

void TestDrawOps::circleRules_data()
{
    QTest::addColumn<bool>("withAngles");
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("end");
    QTest::addColumn<double>("startDegrees");
    QTest::addColumn<double>("sweepDegrees");
    QTest::addColumn<bool>("radiusAtStart");
    QTest::addColumn<bool>("radiusAtEnd");
    QTest::addColumn<bool>("filled");
    QTest::newRow("whole circle is closed") << false << 0.0 << 0.0 << 0.0 << 360.0 << false << false << true;
    QTest::newRow("-0.00001 to -pi/2: quarter sector") << true << -0.00001 << -kPi / 2 << 0.0 << 90.0 << true << true << true;
    QTest::newRow("-2pi to -pi: upper half") << true << -2 * kPi << -kPi << 0.0 << 180.0 << true << true << true;
    QTest::newRow("positive angles: bare arc") << true << 0.5 << 1.5 << 28.65 << 57.30 << false << false << false;
    QTest::newRow("one negative end: open") << true << 0.5 << -1.5 << 28.65 << 57.30 << false << true << false;
    QTest::newRow("wraps through 3 o'clock") << true << -1.5 * kPi << -0.25 * kPi << 270.0 << 135.0 << true << true << true;
    QTest::newRow("-2pi to +0.01 degree: sliver") << true << -2 * kPi << 0.01 * kPi / 180 << 0.0 << 0.01 << true << false << false;
}

void TestDrawOps::circleRules()
{
    QFETCH(bool, withAngles);
    QFETCH(double, start);
    QFETCH(double, end);
    QFETCH(double, startDegrees);
    QFETCH(double, sweepDegrees);
    QFETCH(bool, radiusAtStart);
    QFETCH(bool, radiusAtEnd);
    QFETCH(bool, filled);

    RecordingOps ops(100, 100);
    ops.setFillStyle(FillStyle::Solid);
    ops.setFillColor(toCore(Qt::blue));
    if (withAngles)
        ops.Circle({50, 50}, 40, std::nullopt, float(start), float(end));
    else
        ops.Circle({50, 50}, 40);

    const CircleCall c = ops.circles().at(0);
    const double startOnCircle = std::fmod(c.shape.startDegrees, 360.0);
    QVERIFY2(std::abs(startOnCircle - startDegrees) < 0.01 || std::abs(startOnCircle - startDegrees) > 359.99,
             qPrintable(QString::number(c.shape.startDegrees)));
    QVERIFY2(std::abs(c.shape.sweepDegrees - sweepDegrees) < 0.01, qPrintable(QString::number(c.shape.sweepDegrees)));
    QCOMPARE(c.shape.radiusAtStart, radiusAtStart);
    QCOMPARE(c.shape.radiusAtEnd, radiusAtEnd);
    QCOMPARE(c.fill.has_value(), filled);

    ops.setFillStyle(FillStyle::Transparent);
    ops.Circle({50, 50}, 40);
    QVERIFY(!ops.circles().at(1).fill.has_value());
}

void TestDrawOps::colourArgumentOverridesForeColor()
{
    RecordingOps ops(10, 10);
    ops.setForeColor(toCore(Qt::red));
    ops.Circle({5, 5}, 3, toCore(Qt::green), 0.1f, 0.2f);
    ops.Circle({5, 5}, 3, std::nullopt, 0.1f, 0.2f);
    QCOMPARE(toQt(ops.circles().at(0).outline), QColor(Qt::green));
    QCOMPARE(toQt(ops.circles().at(1).outline), QColor(Qt::red));
}

void TestDrawOps::lineMovesCurrentPosition()
{
    RecordingOps ops(10, 10);
    ops.Line({1, 2}, {3, 4});
    ops.Line({5, 6});
    QCOMPARE(toQt(ops.lines().at(1).from), QPointF(3, 4));
    QCOMPARE(toQt(ops.lines().at(1).to), QPointF(5, 6));
}

void TestDrawOps::rendersUpperRightQuarter()
{
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    DrawState state;
    PainterDrawOps ops(painter, state, 100, 100);
    ops.setFillStyle(FillStyle::Solid);
    ops.setFillColor(toCore(Qt::blue));
    ops.setForeColor(toCore(Qt::white));
    ops.Circle({50, 50}, 40, std::nullopt, -0.00001f, float(-kPi / 2));
    painter.end();

    QCOMPARE(image.pixelColor(70, 30), QColor(Qt::blue));  // inside the quarter
    QCOMPARE(image.pixelColor(30, 30), QColor(Qt::black)); // upper left: outside
    QCOMPARE(image.pixelColor(70, 70), QColor(Qt::black)); // lower right: outside
    QVERIFY(near(image.pixelColor(70, 50), Qt::white)); // radius line at 3 o'clock
    QVERIFY(near(image.pixelColor(50, 30), Qt::white)); // radius line at 12 o'clock
}

void TestDrawOps::onlyWidePensSmooth_data()
{
    QTest::addColumn<bool>("circle");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("blended");
    QTest::newRow("one-pixel line: exact pixels") << false << 1 << false;
    QTest::newRow("one-pixel circle: exact pixels") << true << 1 << false;
    QTest::newRow("two-pixel line: smoothed") << false << 2 << true;
    QTest::newRow("three-pixel circle: smoothed") << true << 3 << true;
}

// White on black: a smoothed pen leaves greys, an aliased one none.
void TestDrawOps::onlyWidePensSmooth()
{
    QFETCH(bool, circle);
    QFETCH(int, width);
    QFETCH(bool, blended);
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    DrawState state;
    PainterDrawOps ops(painter, state, 100, 100);
    ops.setForeColor(toCore(Qt::white));
    ops.setDrawWidth(width);
    if (circle)
        ops.Circle({50, 50}, 37);
    else
        ops.Line({10, 20}, {90, 53});
    painter.end();
    int greys = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            greys += image.pixelColor(x, y) != Qt::black && image.pixelColor(x, y) != Qt::white;
    QCOMPARE(greys > 0, blended);
}

void TestDrawOps::heavyLinesDrawnByHand_data()
{
    QTest::addColumn<QImage::Format>("format");
    QTest::addColumn<QPoint>("shift");
    QTest::addColumn<QRect>("clip");
    QTest::addColumn<QLine>("line");
    QTest::addColumn<int>("width");
    QTest::addColumn<QPoint>("probe");
    QTest::addColumn<int>("red");
    const auto rgb = QImage::Format_RGB32;
    const QRect none;
    const QLine upright(10, 5, 10, 30), flat(5, 20, 35, 20), diagonal(5, 5, 35, 35);
    // Pixel centres lie on the axis, so a pixel's distance from it is a whole
    // number; covered fully within radius − ½, by (radius + ½ − distance) beyond.
    QTest::newRow("3 px upright: the axis") << rgb << QPoint() << none << upright << 3 << QPoint(10, 15) << 255;
    QTest::newRow("3 px upright: a pixel off, full") << rgb << QPoint() << none << upright << 3 << QPoint(9, 15) << 255;
    QTest::newRow("3 px upright: two off, bare") << rgb << QPoint() << none << upright << 3 << QPoint(12, 15) << 0;
    QTest::newRow("round end: a pixel past it") << rgb << QPoint() << none << upright << 3 << QPoint(10, 31) << 255;
    QTest::newRow("round end: three past it, bare") << rgb << QPoint() << none << upright << 3 << QPoint(10, 33) << 0;
    QTest::newRow("6 px flat: two off, full") << rgb << QPoint() << none << flat << 6 << QPoint(20, 22) << 255;
    QTest::newRow("6 px flat: three off, half") << rgb << QPoint() << none << flat << 6 << QPoint(20, 23) << 128;
    // √2 from the axis: 255 × (2 − √2) = 149.
    QTest::newRow("3 px diagonal: √2 off") << rgb << QPoint() << none << diagonal << 3 << QPoint(21, 19) << 149;
    QTest::newRow("premultiplied image") << QImage::Format_ARGB32_Premultiplied << QPoint() << none << upright << 3
                                         << QPoint(9, 15) << 255;
    QTest::newRow("shifted as a widget is") << rgb << QPoint(4, 3) << none << upright << 3 << QPoint(13, 18) << 255;
    QTest::newRow("clipped: inside") << rgb << QPoint() << QRect(0, 0, 20, 40) << flat << 3 << QPoint(19, 20) << 255;
    QTest::newRow("clipped: outside") << rgb << QPoint() << QRect(0, 0, 20, 40) << flat << 3 << QPoint(20, 20) << 0;
}

// Red on black, at the weights above the design's, where lines take the fast way.
void TestDrawOps::heavyLinesDrawnByHand()
{
    QFETCH(QImage::Format, format);
    QFETCH(QPoint, shift);
    QFETCH(QRect, clip);
    QFETCH(QLine, line);
    QFETCH(int, width);
    QFETCH(QPoint, probe);
    QFETCH(int, red);
    QImage image(40, 40, format);
    image.fill(Qt::black);
    QPainter painter(&image);
    if (!clip.isNull())
        painter.setClipRect(clip);
    painter.translate(shift);
    DrawState state;
    PainterDrawOps ops(painter, state, 40, 40, true);
    ops.setForeColor(toCore(Qt::red));
    ops.setDrawWidth(width);
    ops.Line(toCore(line.p1()), toCore(line.p2()));
    painter.end();
    const QColor seen = image.pixelColor(probe);
    QVERIFY2(std::abs(seen.red() - red) <= kAreaCoverageSlack && seen.green() == 0 && seen.blue() == 0,
             qPrintable(QString("red %1").arg(seen.red())));
}

// A 6-px outline of radius 12 about a pixel centre: full within 2.5 px of the
// circle, half at 3, bare at 4 and inside.
void TestDrawOps::heavyCircleDrawnByHand()
{
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    DrawState state;
    PainterDrawOps ops(painter, state, 40, 40, true);
    ops.setForeColor(toCore(Qt::red));
    ops.setDrawWidth(6);
    ops.Circle({20, 20}, 12);
    painter.end();
    QCOMPARE(image.pixelColor(32, 20), QColor(Qt::red));
    QCOMPARE(image.pixelColor(20, 10), QColor(Qt::red));
    QVERIFY(std::abs(image.pixelColor(35, 20).red() - 128) <= kAreaCoverageSlack);
    QCOMPARE(image.pixelColor(36, 20), QColor(Qt::black));
    QCOMPARE(image.pixelColor(20, 20), QColor(Qt::black));
}

// Drawn twice, the second time from what the first kept: the same pixels,
// white letters edged in the outline's colour, nothing beyond the outline.
void TestDrawOps::textFillsItsBoxInsideItsOutline()
{
    constexpr int pixelSize = 40;
    const QFontMetricsF metrics(AidFont::font(pixelSize));
    const QString text = QStringLiteral("面積 = 3.14");
    const TextCall call{text.toStdString(), RectF(20.3, 30.6, metrics.horizontalAdvance(text), metrics.height()),
                        pixelSize, toCore(Qt::white), Color(0, 32, 0), 6};
    QImage shots[2];
    for (QImage &image : shots) {
        image = QImage(400, 120, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        QPainter painter(&image);
        DrawState state;
        PainterDrawOps(painter, state, 400, 120).Text(call);
    }
    QCOMPARE(shots[1], shots[0]);
    int white = 0, edge = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 400; ++x) {
            const QColor c = shots[0].pixelColor(x, y);
            QVERIFY2(c == Qt::darkGreen || toQt(call.box).adjusted(-4, -4, 4, 4).contains(x, y), qPrintable(QString("(%1, %2)").arg(x).arg(y)));
            white += c == Qt::white;
            edge += c == toQt(call.outline);
        }
    QVERIFY(white > 500 && edge > 500);
}

QTEST_MAIN(TestDrawOps)
#include "tst_drawops.moc"
