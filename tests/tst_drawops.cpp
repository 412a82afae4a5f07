#include "AidFont.h"
#include "PainterDrawOps.h"
#include "RecordingOps.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979;

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
    ops.setFillColor(Qt::blue);
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
    ops.setForeColor(Qt::red);
    ops.Circle({5, 5}, 3, QColor(Qt::green), 0.1f, 0.2f);
    ops.Circle({5, 5}, 3, std::nullopt, 0.1f, 0.2f);
    QCOMPARE(ops.circles().at(0).outline, QColor(Qt::green));
    QCOMPARE(ops.circles().at(1).outline, QColor(Qt::red));
}

void TestDrawOps::lineMovesCurrentPosition()
{
    RecordingOps ops(10, 10);
    ops.Line({1, 2}, {3, 4});
    ops.Line({5, 6});
    QCOMPARE(ops.lines().at(1).from, QPointF(3, 4));
    QCOMPARE(ops.lines().at(1).to, QPointF(5, 6));
}

void TestDrawOps::rendersUpperRightQuarter()
{
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    DrawState state;
    PainterDrawOps ops(painter, state, 100, 100);
    ops.setFillStyle(FillStyle::Solid);
    ops.setFillColor(Qt::blue);
    ops.setForeColor(Qt::white);
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
    ops.setForeColor(Qt::white);
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

// Drawn twice, the second time from what the first kept: the same pixels,
// white letters edged in the outline's colour, nothing beyond the outline.
void TestDrawOps::textFillsItsBoxInsideItsOutline()
{
    const QFont font = AidFont::font(40);
    const QString text = QStringLiteral("面積 = 3.14");
    const TextCall call{text, QRectF(20.3, 30.6, QFontMetricsF(font).horizontalAdvance(text), QFontMetricsF(font).height()),
                        font, Qt::white, QColor(0, 32, 0), 6};
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
            QVERIFY2(c == Qt::darkGreen || call.box.adjusted(-4, -4, 4, 4).contains(x, y), qPrintable(QString("(%1, %2)").arg(x).arg(y)));
            white += c == Qt::white;
            edge += c == call.outline;
        }
    QVERIFY(white > 500 && edge > 500);
}

QTEST_MAIN(TestDrawOps)
#include "tst_drawops.moc"
