#include "ArcFigure.h"
#include "LessonAids.h"
#include "ParallelogramAids.h"
#include "ParallelogramFigure.h"
#include "PolygonFigure.h"
#include "RecordingOps.h"

#include <QTest>

#include <cmath>

namespace {

// A client of 1920 × 1080 gives every figure page a picture of 1898 × 981.
const QSize kFullHd(1898, 981);

QStringList shown(const RecordingOps &ops)
{
    QStringList texts;
    for (const TextCall &t : ops.texts())
        texts << t.text.trimmed();
    return texts;
}

RecordingOps painted(int page, QSize area, int value, int step, int lines, LineWeight weight = {})
{
    RecordingOps ops(area.width(), area.height());
    LessonAids::compute(page, area.width(), area.height(), value, step, lines, weight).paint(ops);
    return ops;
}

} // namespace

class TestLessonAids : public QObject
{
    Q_OBJECT
private slots:
    void readouts_data();
    void readouts();
    void textKeepsClear_data();
    void textKeepsClear();
    void marksFollowTheSectors_data();
    void marksFollowTheSectors();
};

void TestLessonAids::readouts_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("formulaLines");
    QTest::addColumn<QStringList>("expected");
    // n·sin(π/n) and n·sin(2π/n)/2π.
    QTest::newRow("hexagon") << 0 << 6 << 0 << QStringList{"正6角形", "周の長さ ÷ 直径 = 3.000", "面積は円の 82.7 %"};
    QTest::newRow("12 sides") << 0 << 12 << 0 << QStringList{"正12角形", "周の長さ ÷ 直径 = 3.106", "面積は円の 95.5 %"};
    QTest::newRow("64 sides") << 0 << 64 << 0 << QStringList{"正64角形", "周の長さ ÷ 直径 = 3.140", "面積は円の 99.8 %"};
    QTest::newRow("90°") << 1 << 90 << 0 << QStringList{"中心角 90°", "円の 1/4 = 25 %"};
    QTest::newRow("120°") << 1 << 120 << 0 << QStringList{"中心角 120°", "円の 1/3 = 33.3 %"};
    QTest::newRow("100°") << 1 << 100 << 0 << QStringList{"中心角 100°", "円の 5/18 = 27.8 %"};
    QTest::newRow("360°") << 1 << 360 << 0 << QStringList{"中心角 360°", "円の 1 = 100 %"};
    QTest::newRow("0°") << 1 << 0 << 0 << QStringList{"中心角 0°", "円の 0 = 0 %"};
    const QStringList sides{"高さ", "≈ 半径", "底辺 ≈ 円周の半分"};
    const QStringList formula{"面積 = 底辺 × 高さ", "= 円周の半分 × 半径", "= 直径 × 3.14 ÷ 2 × 半径",
                              "= 半径 × 半径 × 3.14"};
    for (int lines = 0; lines <= LessonAids::kFormulaLines; ++lines)
        QTest::addRow("finished, %d formula lines", lines) << 2 << 4 << lines << sides + formula.mid(0, lines);
    QTest::newRow("a line too many") << 2 << 4 << 5 << sides + formula;
}

// At a 1920 × 1080 full screen, in letters at least 28 pixels high.
void TestLessonAids::readouts()
{
    QFETCH(int, page);
    QFETCH(int, value);
    QFETCH(int, formulaLines);
    QFETCH(QStringList, expected);
    const RecordingOps ops = painted(page, kFullHd, value, 2 * value, formulaLines);
    QCOMPARE(shown(ops), expected);
    for (const TextCall &t : ops.texts())
        QVERIFY2(t.font.pixelSize() >= 28, qPrintable(t.text));
}

void TestLessonAids::textKeepsClear_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("texts"); // how many fit; -1 where a small picture may drop some
    for (const QSize area : {QSize(526, 370), kFullHd, QSize(3818, 2061), QSize(1344, 669)}) {
        const QByteArray size = QByteArray::number(area.width()) + "x" + QByteArray::number(area.height());
        QTest::newRow(size + " polygon") << 0 << area << 7 << 3;
        QTest::newRow(size + " arc") << 1 << area << 100 << 2;
        for (int half : {2, 4, 32})
            QTest::newRow(size + " sectors V=" + QByteArray::number(half)) << 2 << area << half << 7;
    }
    for (const QSize area : {QSize(300, 200), QSize(500, 900), QSize(120, 90), QSize(2, 2)}) {
        const QByteArray size = QByteArray::number(area.width()) + "x" + QByteArray::number(area.height());
        for (int page : {0, 1, 2})
            QTest::newRow(size + " page " + QByteArray::number(page)) << page << area << 4 << -1;
    }
}

// Every line inside the picture, on its own, and off the figure: the circle,
// and on page 2 the finished figure from its left corner to its right, from
// the top of its arcs to the bottom of its bulges.
void TestLessonAids::textKeepsClear()
{
    QFETCH(int, page);
    QFETCH(QSize, area);
    QFETCH(int, value);
    QFETCH(int, texts);
    const RecordingOps ops = painted(page, area, value, 2 * value, LessonAids::kFormulaLines);
    const std::vector<TextCall> lines = ops.texts();
    if (texts >= 0)
        QCOMPARE(int(lines.size()), texts);

    QPointF centre;
    double radius = 0;
    QRectF figure;
    if (page == 0) {
        const PolygonFigure f = PolygonFigure::compute(area.width(), area.height(), value);
        centre = f.centre, radius = f.radius;
    } else if (page == 1) {
        const ArcFigure f = ArcFigure::compute(area.width(), area.height(), value);
        centre = f.centre, radius = f.radius;
    } else {
        const ParallelogramFigure f = ParallelogramFigure::compute(area.width(), area.height(), value, 2 * value);
        centre = f.centre, radius = f.R;
        figure = QRectF(QPointF(f.firstApex.x() - f.R * f.s, f.firstApex.y() - f.R),
                        QPointF(f.firstApex.x() + 2 * value * f.R * f.s, f.firstApex.y() - f.R * f.c + f.R));
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QRectF box = lines[i].box;
        QVERIFY2(QRectF(0, 0, area.width(), area.height()).contains(box), qPrintable(lines[i].text));
        const QPointF nearest(std::clamp(centre.x(), box.left(), box.right()), std::clamp(centre.y(), box.top(), box.bottom()));
        QVERIFY2(std::hypot(nearest.x() - centre.x(), nearest.y() - centre.y()) > radius, qPrintable(lines[i].text));
        QVERIFY2(!box.intersects(figure), qPrintable(lines[i].text));
        for (std::size_t j = 0; j < i; ++j)
            QVERIFY2(!box.intersects(lines[j].box), qPrintable(lines[i].text + " / " + lines[j].text));
    }
}

void TestLessonAids::marksFollowTheSectors_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QList<QLineF>>("marks");
    // 600 × 300, V = 2: R = 98, centre (100, 150); X0 = 274, Y0 = 199;
    // R·s = 69.298, R·c = 69.295.
    const QLineF radius(100, 150, 100, 52), height(274, 199, 274, 130);
    QTest::newRow("at rest: the radius alone") << 0 << QList<QLineF>{radius};
    QTest::newRow("one moved: its arc and the height") << 1 << QList<QLineF>{radius, height};
    QTest::newRow("three moved") << 3 << QList<QLineF>{radius, height};
    QTest::newRow("finished: brackets too") << 4 << QList<QLineF>{radius, height};
}

// The moved sectors' arcs in the circle's moved colour, the radius and the
// height in another; every line and arc as many times wider as the weight.
void TestLessonAids::marksFollowTheSectors()
{
    QFETCH(int, step);
    QFETCH(QList<QLineF>, marks);
    RecordingOps ops(600, 300);
    ops.setForeColor(Qt::green);
    ops.setDrawWidth(7);
    ops.setFillStyle(FillStyle::Solid);
    LessonAids::compute(2, 600, 300, 2, step, 0, {}).paint(ops);
    QCOMPARE(ops.ForeColor(), QColor(Qt::green)); // the figure's drawing state is left as found
    QCOMPARE(ops.DrawWidth(), 7);
    QCOMPARE(ops.fillStyle(), FillStyle::Solid);

    const std::vector<CircleCall> arcs = ops.circles();
    QCOMPARE(int(arcs.size()), step);
    for (const CircleCall &c : arcs) {
        QCOMPARE(c.outline, ParallelogramFigure::kMovedColor);
        QVERIFY(!c.fill && !c.shape.radiusAtStart && !c.shape.radiusAtEnd);
    }
    const std::vector<LineCall> lines = ops.lines();
    for (int i = 0; i < marks.size(); ++i) {
        QCOMPARE(lines.at(i).color, ParallelogramAids::kRadiusColor);
        QCOMPARE(QLineF(lines.at(i).from, lines.at(i).to), marks[i]);
    }
    // The height from Y0 − R·c = 129.705 to 199, left of the corner at
    // 274 − 69.298; the base from 274 to 274 + 4 × 69.298 = 551.19, below it.
    const auto drawn = [&](auto matches) { return std::any_of(lines.begin(), lines.end(), matches); };
    QCOMPARE(drawn([](const LineCall &l) {
                 return l.from.x() == l.to.x() && l.from.x() < 204.70 && qAbs(l.from.y() - 129.705) < 0.01 && l.to.y() == 199;
             }),
             step == 4);
    QCOMPARE(drawn([](const LineCall &l) {
                 return l.from.y() == l.to.y() && l.from.y() > 199 && l.from.x() == 274 && qAbs(l.to.x() - 551.19) < 0.01;
             }),
             step == 4);

    RecordingOps heavy(600, 300);
    LessonAids::compute(2, 600, 300, 2, step, 0, LineWeight::fromFactor(3).value()).paint(heavy);
    for (std::size_t i = 0; i < arcs.size(); ++i)
        QCOMPARE(heavy.circles().at(i).width, 3 * arcs[i].width);
    for (std::size_t i = 0; i < lines.size(); ++i)
        QCOMPARE(heavy.lines().at(i).width, 3 * lines[i].width);
}

QTEST_MAIN(TestLessonAids)
#include "tst_lessonaids.moc"
