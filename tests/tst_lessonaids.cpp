#include "ArcFigure.h"
#include "Convert.h"
#include "PageRenderer.h"
#include "ParallelogramAids.h"
#include "ParallelogramFigure.h"
#include "PolygonFigure.h"
#include "QtTextMeasure.h"
#include "RecordingOps.h"

#include <QSet>
#include <QTest>

#include <cmath>

using namespace core;
using Convert::toCore;
using Convert::toQt;

class TestLessonAids : public QObject
{
    Q_OBJECT
private slots:
    void text_data();
    void text();
    void marks_data();
    void marks();
    void polygonLinesAtEachWeight_data();
    void polygonLinesAtEachWeight();
};

namespace {
// A client of 1920 × 1080 gives every figure page a picture of 1898 × 981.
const QSize kFullHd(1898, 981);
const QStringList kSides{"高さ", "≈ 半径", "底辺 ≈ 円周の半分"};
const QStringList kFormula{"面積 = 底辺 × 高さ", "= 円周の半分 × 半径", "= 直径 × 3.14 ÷ 2 × 半径", "= 半径 × 半径 × 3.14"};

LessonAids aidsOf(int page, QSize area, int value, int step, int formulaLines, LineWeight weight)
{
    return PageRenderer::aids({page, toCore(area), value, step, weight, true, formulaLines}, QtTextMeasure::instance());
}
} // namespace

void TestLessonAids::text_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QStringList>("expected"); // empty where a small picture may leave some out
    // n·sin(π/n) and n·sin(2π/n)/2π; v/360 in lowest terms.
    const auto row = [](const char *name, int page, int value, int lines, const QStringList &expected) {
        QTest::newRow(name) << page << kFullHd << value << lines << expected;
    };
    row("hexagon", 0, 6, 0, {"正6角形", "周の長さ ÷ 直径 = 3.000", "面積は円の 82.7 %"});
    row("12 sides", 0, 12, 0, {"正12角形", "周の長さ ÷ 直径 = 3.106", "面積は円の 95.5 %"});
    row("64 sides", 0, 64, 0, {"正64角形", "周の長さ ÷ 直径 = 3.140", "面積は円の 99.8 %"});
    row("90°", 1, 90, 0, {"中心角 90°", "円の 1/4 = 25 %"});
    row("120°", 1, 120, 0, {"中心角 120°", "円の 1/3 = 33.3 %"});
    row("100°", 1, 100, 0, {"中心角 100°", "円の 5/18 = 27.8 %"});
    row("360°", 1, 360, 0, {"中心角 360°", "円の 1 = 100 %"});
    row("0°", 1, 0, 0, {"中心角 0°", "円の 0 = 0 %"});
    for (int lines = 0; lines <= LessonAids::kFormulaLines + 1; ++lines)
        QTest::addRow("finished, %d formula lines", lines) << 2 << kFullHd << 4 << lines << kSides + kFormula.mid(0, lines);
    for (const QSize area : {QSize(526, 370), QSize(3818, 2061), QSize(1344, 669), QSize(500, 900), QSize(300, 200),
                             QSize(120, 90), QSize(2, 2)}) {
        const bool roomy = area.width() > 1000;
        for (int half : {2, 4, 32})
            QTest::addRow("%dx%d V=%d", area.width(), area.height(), half)
                << 2 << area << half << 4 << (roomy ? kSides + kFormula : QStringList());
        QTest::addRow("%dx%d polygon", area.width(), area.height()) << 0 << area << 7 << 0 << QStringList();
        QTest::addRow("%dx%d arc", area.width(), area.height()) << 1 << area << 100 << 0 << QStringList();
    }
}

// The texts as painted, each inside the picture, on its own, off the circle
// and, on page 2, off the finished figure from its left corner to its right
// and from the top of its arcs to the bottom of its bulges. At a 1920 × 1080
// full screen the letters are at least 28 pixels high.
void TestLessonAids::text()
{
    QFETCH(int, page);
    QFETCH(QSize, area);
    QFETCH(int, value);
    QFETCH(int, lines);
    QFETCH(QStringList, expected);
    RecordingOps ops(area.width(), area.height());
    aidsOf(page, area, value, 2 * value, lines, {}).paint(ops);
    const std::vector<TextCall> texts = ops.texts();
    QStringList shown;
    for (const TextCall &t : texts)
        shown << QString::fromStdString(t.text).trimmed();
    if (!expected.isEmpty())
        QCOMPARE(shown, expected);

    QPointF centre;
    double radius = 0;
    QRectF figure;
    if (page == 0) {
        const PolygonFigure f = PolygonFigure::compute(area.width(), area.height(), value);
        centre = toQt(f.centre), radius = f.radius;
    } else if (page == 1) {
        const ArcFigure f = ArcFigure::compute(area.width(), area.height(), value);
        centre = toQt(f.centre), radius = f.radius;
    } else {
        const ParallelogramFigure f = ParallelogramFigure::compute(area.width(), area.height(), value, 2 * value);
        centre = toQt(f.centre), radius = f.R;
        figure = QRectF(QPointF(f.firstApex.x() - f.R * f.s, f.firstApex.y() - f.R),
                        QPointF(f.firstApex.x() + 2 * value * f.R * f.s, f.firstApex.y() - f.R * f.c + f.R));
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const QRectF box = toQt(texts[i].box);
        const QPointF near(std::clamp(centre.x(), box.left(), box.right()), std::clamp(centre.y(), box.top(), box.bottom()));
        QVERIFY2(QRectF(QPointF(0, 0), area).contains(box) && !box.intersects(figure)
                     && std::hypot(near.x() - centre.x(), near.y() - centre.y()) > radius,
                 qPrintable(shown[i]));
        for (std::size_t j = 0; j < i; ++j)
            QVERIFY2(!box.intersects(toQt(texts[j].box)), qPrintable(shown[i] + " / " + shown[j]));
        QVERIFY(area != kFullHd || texts[i].pixelSize >= 28);
    }
}

void TestLessonAids::marks_data()
{
    QTest::addColumn<int>("step");
    QTest::newRow("at rest: the radius alone") << 0;
    QTest::newRow("one moved: its arc and the height") << 1;
    QTest::newRow("three moved") << 3;
    QTest::newRow("finished: brackets too") << 4;
}

// 600 × 300, V = 2: R = 98, centre (100, 150); X0 = 274, Y0 = 199;
// R·s = 69.298, R·c = 69.295. The moved sectors' arcs in the circle's moved
// colour; the radius, and the height from Y0 up to 129.705, in another. When
// finished, the height's bracket stands left of the corner at 274 − 69.298
// and the base's runs from 274 to 274 + 4 × 69.298 = 551.19 below it. Lines
// and arcs widen with the weight; the drawing state is left as found.
void TestLessonAids::marks()
{
    QFETCH(int, step);
    RecordingOps ops(600, 300), heavy(600, 300);
    ops.setDrawWidth(7);
    aidsOf(2, QSize(600, 300), 2, step, 0, {}).paint(ops);
    aidsOf(2, QSize(600, 300), 2, step, 0, LineWeight::fromFactor(3).value()).paint(heavy);
    QCOMPARE(ops.DrawWidth(), 7);

    const std::vector<CircleCall> arcs = ops.circles();
    QCOMPARE(int(arcs.size()), step);
    for (const CircleCall &arc : arcs)
        QVERIFY(arc.outline == ParallelogramFigure::kMovedColor && !arc.fill && !arc.shape.radiusAtStart && !arc.shape.radiusAtEnd);
    const std::vector<LineCall> lines = ops.lines();
    const QList<QLineF> marks{QLineF(100, 150, 100, 52), QLineF(274, 199, 274, 130)};
    for (int i = 0; i < (step == 0 ? 1 : 2); ++i) {
        QCOMPARE(lines.at(i).color, ParallelogramAids::kRadiusColor);
        QCOMPARE(QLineF(toQt(lines.at(i).from), toQt(lines.at(i).to)), marks[i]);
    }
    const auto drawn = [&](auto matches) { return std::any_of(lines.begin(), lines.end(), matches); };
    QCOMPARE(drawn([](const LineCall &l) {
                 return l.from.x() < 204.70 && qAbs(l.from.y() - 129.705) < 0.01 && l.to == PointF(l.from.x(), 199);
             }), step == 4);
    QCOMPARE(drawn([](const LineCall &l) {
                 return l.from == PointF(274, l.to.y()) && l.to.y() > 199 && qAbs(l.to.x() - 551.19) < 0.01;
             }), step == 4);
    const auto widths = [](const RecordingOps &r, LineWeight weight) {
        QList<int> w;
        for (const LineCall &l : r.lines())
            w << weight.px(l.width);
        for (const CircleCall &c : r.circles())
            w << weight.px(c.width);
        return w;
    };
    QCOMPARE(widths(heavy, {}), widths(ops, LineWeight::fromFactor(3).value()));
}

// Each step heavier adds a line's own width, and at least the edges' 2 px:
// the 1 px radii and dashed circle reach 3 and 5 px, the 2 px edges 4 and 6.
void TestLessonAids::polygonLinesAtEachWeight_data()
{
    QTest::addColumn<int>("factor");
    QTest::addColumn<QList<int>>("radiusEdgeCircle");
    QTest::newRow("x1 as designed") << 1 << QList<int>{1, 2, 1};
    QTest::newRow("x2") << 2 << QList<int>{3, 4, 3};
    QTest::newRow("x3") << 3 << QList<int>{5, 6, 5};
}

void TestLessonAids::polygonLinesAtEachWeight()
{
    QFETCH(int, factor);
    QFETCH(QList<int>, radiusEdgeCircle);
    RecordingOps ops(1898, 981);
    PageRenderer::paint(ops, {0, Size(1898, 981), 6, 0, *LineWeight::fromFactor(factor), true, 0}, QtTextMeasure::instance());
    QSet<int> radii, edges, circle;
    for (const LineCall &l : ops.lines())
        (l.color == PolygonFigure::kRadiusColor ? radii : edges).insert(l.width);
    for (const CircleCall &c : ops.circles())
        circle.insert(c.width);
    QCOMPARE((QList<QSet<int>>{radii, edges, circle}),
             (QList<QSet<int>>{{radiusEdgeCircle[0]}, {radiusEdgeCircle[1]}, {radiusEdgeCircle[2]}}));
}

QTEST_MAIN(TestLessonAids)
#include "tst_lessonaids.moc"
