#include "Convert.h"
#include "PolygonFigure.h"
#include "RecordingOps.h"

#include <QTest>

using namespace core;
using Convert::toQt;

using Points = QList<QPoint>;

class TestPolygonFigure : public QObject
{
    Q_OBJECT
private slots:
    void vertices_data();
    void vertices();
    void centreRoundsHalfToEven_data();
    void centreRoundsHalfToEven();
    void drawsEdgesThenRadiiInOrder_data();
    void drawsEdgesThenRadiiInOrder();
};

void TestPolygonFigure::vertices_data()
{
    QTest::addColumn<QSize>("area");
    QTest::addColumn<int>("sides");
    QTest::addColumn<int>("radius");
    QTest::addColumn<QPoint>("centre");
    QTest::addColumn<Points>("expected");
    QTest::newRow("start-up 526x370, triangle") << QSize(526, 370) << 3 << 184 << QPoint(263, 185)
                                               << Points{{447, 185}, {171, 344}, {171, 26}, {447, 185}};
    QTest::newRow("300x300 square on a corner") << QSize(300, 300) << 4 << 149 << QPoint(150, 150)
                                                << Points{{299, 150}, {150, 299}, {1, 150}, {150, 1}, {299, 150}};
    QTest::newRow("302x302 triangle") << QSize(302, 302) << 3 << 150 << QPoint(151, 151)
                                      << Points{{301, 151}, {76, 281}, {76, 21}, {301, 151}};
    QTest::newRow("256x361 smaller side decides") << QSize(256, 361) << 4 << 127 << QPoint(128, 180)
                                                  << Points{{255, 180}, {128, 307}, {1, 180}, {128, 53}, {255, 180}};
    QTest::newRow("2x2 collapses to the centre") << QSize(2, 2) << 3 << 0 << QPoint(1, 1)
                                                 << Points{{1, 1}, {1, 1}, {1, 1}, {1, 1}};
    QTest::newRow("0x0 collapses too") << QSize(0, 0) << 3 << 0 << QPoint(0, 0)
                                       << Points{{0, 0}, {0, 0}, {0, 0}, {0, 0}};
}

void TestPolygonFigure::vertices()
{
    QFETCH(QSize, area);
    QFETCH(int, sides);
    QFETCH(int, radius);
    QFETCH(QPoint, centre);
    QFETCH(Points, expected);
    const PolygonFigure f = PolygonFigure::compute(area.width(), area.height(), sides);
    QCOMPARE(int(f.radius), radius);
    QCOMPARE(toQt(f.centre), centre);
    Points vertices;
    for (const Point &v : f.vertices)
        vertices << toQt(v);
    QCOMPARE(vertices, expected);
}

void TestPolygonFigure::centreRoundsHalfToEven_data()
{
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("centre");
    QTest::addColumn<int>("radius");
    QTest::newRow("301: centre 150, M 299 gives R 150") << 301 << 150 << 150;
    QTest::newRow("303: centre 152, M 301 gives R 150") << 303 << 152 << 150;
    QTest::newRow("305: M 303 gives R 152") << 305 << 152 << 152;
}

void TestPolygonFigure::centreRoundsHalfToEven()
{
    QFETCH(int, side);
    QFETCH(int, centre);
    QFETCH(int, radius);
    const PolygonFigure f = PolygonFigure::compute(side, side, 3);
    QCOMPARE(f.centre.x(), centre);
    QCOMPARE(int(f.radius), radius);
}

void TestPolygonFigure::drawsEdgesThenRadiiInOrder_data()
{
    QTest::addColumn<int>("sides");
    QTest::newRow("3 sides") << 3;
    QTest::newRow("64 sides") << 64;
}

void TestPolygonFigure::drawsEdgesThenRadiiInOrder()
{
    QFETCH(int, sides);
    const PolygonFigure f = PolygonFigure::compute(526, 370, sides);
    RecordingOps ops(526, 370);
    ops.setForeColor(Color(0, 255, 0)); // whatever an earlier paint left must not leak in
    ops.setDrawWidth(7);
    f.paint(ops);

    const std::vector<LineCall> lines = ops.lines();
    QCOMPARE(int(lines.size()), 2 * sides + 1);
    QCOMPARE(int(ops.circles().size()), 0);
    QSet<QPoint> radiusEnds;
    for (int i = 0; i <= sides; ++i) {
        const LineCall &radius = lines[i == 0 ? 0 : 2 * i];
        QCOMPARE(toQt(radius.from), QPointF(toQt(f.centre)));
        QCOMPARE(toQt(radius.to), QPointF(toQt(f.vertices[i])));
        QCOMPARE(radius.color, PolygonFigure::kRadiusColor);
        QCOMPARE(radius.width, 1);
        radiusEnds.insert(toQt(f.vertices[i]));
        if (i > 0) {
            const LineCall &edge = lines[2 * i - 1];
            QCOMPARE(toQt(edge.from), QPointF(toQt(f.vertices[i - 1])));
            QCOMPARE(toQt(edge.to), QPointF(toQt(f.vertices[i])));
            QCOMPARE(edge.color, PolygonFigure::kEdgeColor);
            QCOMPARE(edge.width, 2);
        }
    }
    QCOMPARE(int(radiusEnds.size()), sides); // the last radius repeats the first

    RecordingOps heavy(526, 370);
    f.paint(heavy, LineWeight::fromFactor(2).value());
    QVERIFY(ops.sameCallsWidened(heavy, LineWeight::fromFactor(2).value()));
}

QTEST_APPLESS_MAIN(TestPolygonFigure)
#include "tst_polygonfigure.moc"
