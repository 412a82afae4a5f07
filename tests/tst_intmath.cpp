#include "IntMath.h"

#include <QTest>

#include <limits>

using namespace core;

class TestIntMath : public QObject
{
    Q_OBJECT
private slots:
    void round16_data();
    void round16();
    void round32Saturates();
    void floorGoesDown();
    void maxMin_data();
    void maxMin();
};

void TestIntMath::round16_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("150.5 ties to even below") << 150.5 << 150;
    QTest::newRow("151.5 ties to even above") << 151.5 << 152;
    QTest::newRow("2.5 gives 2") << 2.5 << 2;
    QTest::newRow("273.5 gives 274") << 273.5 << 274;
    QTest::newRow("negative tie -2.5") << -2.5 << -2;
    QTest::newRow("just under a tie") << 150.49999 << 150;
    QTest::newRow("saturates high") << 1e9 << 32767;
    QTest::newRow("saturates low") << -1e9 << -32768;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << 32767;
    QTest::newRow("NaN gives 0") << std::numeric_limits<double>::quiet_NaN() << 0;
}

void TestIntMath::round16()
{
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(int(core::round16(value)), expected);
}

void TestIntMath::round32Saturates()
{
    QCOMPARE(round32(40000.5), 40000);
    QCOMPARE(round32(1e12), std::numeric_limits<Int32>::max());
    QCOMPARE(round32(-1e12), std::numeric_limits<Int32>::min());
    QCOMPARE(int(saturate16(70000)), 32767);
}

void TestIntMath::floorGoesDown()
{
    QCOMPARE(int(floor16(49.5)), 49);
    QCOMPARE(int(floor16(-0.5)), -1);
    QCOMPARE(int(floor16(1e7)), 32767);
}

void TestIntMath::maxMin_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("min");
    QTest::newRow("-5, 0") << -5 << 0 << 0 << -5;
    QTest::newRow("7, 7") << 7 << 7 << 7 << 7;
    QTest::newRow("7, 3") << 7 << 3 << 7 << 3;
    QTest::newRow("-2, 4") << -2 << 4 << 4 << -2;
}

void TestIntMath::maxMin()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, max);
    QFETCH(int, min);
    QCOMPARE(int(MaxInt(Int16(a), Int16(b))), max);
    QCOMPARE(int(MinInt(Int16(a), Int16(b))), min);
}

QTEST_APPLESS_MAIN(TestIntMath)
#include "tst_intmath.moc"
