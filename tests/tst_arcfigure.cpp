#include "ArcFigure.h"
#include "Convert.h"
#include "RecordingOps.h"

#include <QTest>

using namespace core;
using Convert::toQt;

class TestArcFigure : public QObject
{
    Q_OBJECT
private slots:
    void sector_data();
    void sector();
    void sizes_data();
    void sizes();
};

void TestArcFigure::sector_data()
{
    QTest::addColumn<int>("degrees");
    QTest::addColumn<int>("calls");
    QTest::addColumn<bool>("whole");
    QTest::addColumn<double>("sweep");
    QTest::newRow("360: the whole disc, no radius line") << 360 << 1 << true << 360.0;
    QTest::newRow("359: a one-degree notch") << 359 << 1 << false << 359.0;
    QTest::newRow("90: upper-right quarter") << 90 << 1 << false << 90.0;
    QTest::newRow("1: a sliver") << 1 << 1 << false << 1.0;
    QTest::newRow("0: nothing") << 0 << 0 << false << 0.0;
}

void TestArcFigure::sector()
{
    QFETCH(int, degrees);
    QFETCH(int, calls);
    QFETCH(bool, whole);
    QFETCH(double, sweep);
    RecordingOps ops(526, 370);
    ArcFigure::compute(526, 370, degrees).paint(ops);
    QCOMPARE(int(ops.calls.size()), calls);
    RecordingOps heavy(526, 370);
    ArcFigure::compute(526, 370, degrees).paint(heavy, LineWeight::fromFactor(3).value());
    QVERIFY(ops.sameCallsWidened(heavy, LineWeight::fromFactor(3).value()));
    if (calls == 0)
        return;
    const CircleCall c = ops.circles().at(0);
    QCOMPARE(toQt(c.centre), QPointF(263, 185));
    QCOMPARE(c.radius, 184.0);
    QCOMPARE(c.outline, ArcFigure::kOutlineColor);
    QCOMPARE(c.fill, std::optional<Color>(ArcFigure::kFillColor));
    QCOMPARE(c.width, 1);
    QCOMPARE(c.shape.whole, whole);
    QVERIFY(qAbs(c.shape.sweepDegrees - sweep) < 0.001);
    if (!whole) {
        QVERIFY(c.shape.startDegrees < 0.001); // the start radius points right
        QVERIFY(c.shape.radiusAtStart && c.shape.radiusAtEnd);
    }
}

void TestArcFigure::sizes_data()
{
    QTest::addColumn<QSize>("area");
    QTest::addColumn<double>("radius");
    QTest::addColumn<QPointF>("centre");
    QTest::newRow("526x370") << QSize(526, 370) << 184.0 << QPointF(263, 185);
    QTest::newRow("300x300") << QSize(300, 300) << 149.0 << QPointF(150, 150);
    QTest::newRow("301x301 radius keeps its half") << QSize(301, 301) << 149.5 << QPointF(150, 150);
    QTest::newRow("2x2") << QSize(2, 2) << 0.0 << QPointF(1, 1);
    QTest::newRow("1x500") << QSize(1, 500) << 0.0 << QPointF(0, 250);
}

void TestArcFigure::sizes()
{
    QFETCH(QSize, area);
    QFETCH(double, radius);
    QFETCH(QPointF, centre);
    const ArcFigure f = ArcFigure::compute(area.width(), area.height(), 90);
    QCOMPARE(f.radius, radius);
    QCOMPARE(toQt(f.centre), centre);
}

QTEST_APPLESS_MAIN(TestArcFigure)
#include "tst_arcfigure.moc"
