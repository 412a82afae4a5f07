#include "AidWords.h"
#include "ArcFigure.h"
#include "Convert.h"
#include "CutOutCircle.h"
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
    void words_data();
    void words();
    void text_data();
    void text();
    void marks_data();
    void marks();
    void polygonLinesAtEachWeight_data();
    void polygonLinesAtEachWeight();
};

namespace {
// A client of 1920 × 1080 gives every figure page a picture of 1898 × 981.
const QSize kFullHd(1898, 981), kFourByThree(1002, 669); // and 1024 × 768
const QStringList kSides{"高さ ＝ 半径", "底辺 ＝ 円周の半分"};
const QStringList kFormula{"円の面積 ＝ 平行四辺形の面積 ＝ 底辺 × 高さ", "＝ 円周の半分 × 半径",
                           "＝ 直径 × 3.14（円周率）÷ 2 × 半径", "＝ 半径 × 3.14（円周率）× 半径",
                           "円の面積 ＝ 半径 × 半径 × 円周率"};
const QStringList kTriangle{"正三角形", "辺の数 3", "まわりの長さ ÷ 直径 ＝ 約 2.598", "面積は円の 約 41.3 %", "円周率 ＝ 3.14…"};
const QStringList kRightAngle{"おうぎ形の中心角 90°", "円の 1/4 ＝ 25 %"};

double distance(QPointF p, const QRectF &r)
{
    return std::hypot(p.x() - std::clamp(p.x(), r.left(), r.right()), p.y() - std::clamp(p.y(), r.top(), r.bottom()));
}


LessonAids aidsOf(int page, QSize area, int value, int step, int formulaLines, LineWeight weight)
{
    return PageRenderer::aids({page, toCore(area), value, step, weight, true, formulaLines}, QtTextMeasure::instance());
}
} // namespace

// Kanji numerals with 十 alone for one ten; the cut-out sheet's wording.
void TestLessonAids::words_data()
{
    QTest::addColumn<QString>("made");
    QTest::addColumn<QString>("expected");
    for (const auto &[sides, name] : {std::pair{3, "正三角形"}, {4, "正方形"}, {5, "正五角形"}, {10, "正十角形"}, {11, "正十一角形"},
                                      {19, "正十九角形"}, {20, "正二十角形"}, {21, "正二十一角形"}, {55, "正五十五角形"}, {64, "正六十四角形"}})
        QTest::addRow("%d sides", sides) << QString::fromStdString(AidWords::polygonName(sides)) << name;
    QTest::newRow("cut-out sheet") << QString::fromStdString(CutOutCircle::compute(4).caption())
                                   << "円を 8 個のおうぎ形に分けました（半径 6 cm）。\n線にそって切り取り、番号の順に並べてみよう。";
}

void TestLessonAids::words()
{
    QFETCH(QString, made);
    QFETCH(QString, expected);
    QCOMPARE(made, expected);
}

void TestLessonAids::text_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("weight");
    QTest::addColumn<QStringList>("expected"); // empty where a small picture may leave some out
    // n·sin(π/n) and n·sin(2π/n)/2π; v/360 in lowest terms.
    const auto row = [](const char *name, int page, int value, int lines, const QStringList &expected) {
        QTest::newRow(name) << page << kFullHd << value << lines << 1 << expected;
    };
    row("triangle", 0, 3, 0, kTriangle);
    row("hexagon: 3 exactly, no padding zeros", 0, 6, 0, {"正六角形", "辺の数 6", "まわりの長さ ÷ 直径 ＝ 3", "面積は円の 約 82.7 %", "円周率 ＝ 3.14…"});
    row("64 sides", 0, 64, 0, {"正六十四角形", "辺の数 64", "まわりの長さ ÷ 直径 ＝ 約 3.140", "面積は円の 約 99.8 %", "円周率 ＝ 3.14…"});
    row("90°", 1, 90, 0, kRightAngle);
    row("120°", 1, 120, 0, {"おうぎ形の中心角 120°", "円の 1/3 ＝ 約 33.3 %"});
    row("1°", 1, 1, 0, {"おうぎ形の中心角 1°", "円の 1/360 ＝ 約 0.3 %"});
    row("9°: 2.5 % exactly", 1, 9, 0, {"おうぎ形の中心角 9°", "円の 1/40 ＝ 2.5 %"});
    row("180°: a half circle", 1, 180, 0, {"半円（中心角 180°）", "円の 1/2 ＝ 50 %"});
    row("360°: the circle named, then the whole of it", 1, 360, 0, {"直径", "半径", "中心", "円周", "円全体（360°）＝ 100 %"});
    row("0°: the angle alone", 1, 0, 0, {"0°"});
    for (int lines = 0; lines <= LessonAids::kFormulaLines + 1; ++lines)
        QTest::addRow("finished, %d formula lines", lines)
            << 2 << kFullHd << 4 << lines << 1 << QStringList{"おうぎ形の数 8"} + kSides + kFormula.mid(0, lines);
    // At a 4:3 projector's size, in a window or full, as at 16:9, at every weight, every aid shows.
    for (const QSize area : {kFourByThree, kFullHd, QSize(1024, 768)})
        for (int weight = 1; weight <= 3; ++weight) {
            const int w = area.width(), h = area.height();
            QTest::addRow("%dx%d ×%d triangle", w, h, weight) << 0 << area << 3 << 0 << weight << kTriangle;
            QTest::addRow("%dx%d ×%d 90°", w, h, weight) << 1 << area << 90 << 0 << weight << kRightAngle;
            for (int half : {2, 3, 4, 32})
                QTest::addRow("%dx%d ×%d V=%d", w, h, weight, half) << 2 << area << half << 5 << weight
                                                                 << QStringList{"おうぎ形の数 " + QString::number(2 * half)}
                                                                        + kSides + kFormula;
        }
    for (const QSize area : {QSize(526, 370), QSize(3818, 2061), QSize(1344, 669), QSize(500, 900), QSize(300, 200),
                             QSize(120, 90), QSize(2, 2)}) {
        const bool roomy = area.width() > 1000;
        for (int half : {2, 4, 32})
            QTest::addRow("%dx%d V=%d", area.width(), area.height(), half)
                << 2 << area << half << 5 << 1
                << (roomy ? QStringList{"おうぎ形の数 " + QString::number(2 * half)} + kSides + kFormula : QStringList());
        QTest::addRow("%dx%d polygon", area.width(), area.height()) << 0 << area << 7 << 0 << 1 << QStringList();
        QTest::addRow("%dx%d arc", area.width(), area.height()) << 1 << area << 100 << 0 << 1 << QStringList();
    }
}

// The texts as painted, each inside the picture, on its own, off the circle's
// line and, on page 2, off the finished figure's arcs and the band between,
// from the corner (X0, Y0), R·s and R·c, and off the brackets; the brackets
// leave board between them and the figure's lines where the aids show in
// full. At a 1920 × 1080 full
// screen the letters are at least 28 pixels high.
void TestLessonAids::text()
{
    QFETCH(int, page);
    QFETCH(QSize, area);
    QFETCH(int, value);
    QFETCH(int, lines);
    QFETCH(int, weight);
    QFETCH(QStringList, expected);
    const LineWeight w = LineWeight::fromFactor(weight).value();
    RecordingOps ops(area.width(), area.height());
    aidsOf(page, area, value, 2 * value, lines, w).paint(ops);
    const std::vector<TextCall> texts = ops.texts();
    QStringList shown;
    for (const TextCall &t : texts)
        shown << QString::fromStdString(t.text).trimmed();
    if (!expected.isEmpty())
        QCOMPARE(shown, expected);

    QPointF centre;
    double edge = 0;
    QList<QRectF> figure, brackets;
    if (page == 0) {
        const PolygonFigure f = PolygonFigure::compute(area.width(), area.height(), value);
        centre = toQt(f.centre), edge = f.radius + w.px(PolygonFigure::kEdgeWidthPx) / 2.0;
    } else if (page == 1) {
        const ArcFigure f = ArcFigure::compute(area.width(), area.height(), value);
        centre = toQt(f.centre), edge = f.radius + w.px(ArcFigure::kOutlineWidthPx) / 2.0;
    } else {
        const ParallelogramFigure f = ParallelogramFigure::compute(area.width(), area.height(), value, 2 * value);
        const double x0 = f.firstApex.x(), y0 = f.firstApex.y(), lean = f.R * f.s, h = f.R * f.c;
        const double end = x0 + 2 * value * lean;
        const double half = w.px(ParallelogramFigure::kOutlineWidthPx) / 2.0;
        centre = toQt(f.centre), edge = f.R + half;
        for (const QRectF &r : {QRectF(QPointF(x0 - lean, y0 - f.R), QPointF(end - lean, y0 - h)),
                                QRectF(QPointF(x0 - lean, y0 - h), QPointF(end, y0)),
                                QRectF(x0, y0, end - x0, f.R - h)})
            figure << r.adjusted(-half, -half, half, half);
    }
    constexpr double kBoardPx = 2;
    for (const LineCall &l : ops.lines())
        if (l.width == w.px(ParallelogramAids::kBracketWidthPx) && !expected.isEmpty()) {
            const double half = l.width / 2.0;
            brackets << QRectF(toQt(l.from), toQt(l.to)).normalized().adjusted(-half, -half, half, half);
            QVERIFY(distance(centre, brackets.back()) >= edge + kBoardPx);
            for (const QRectF &r : figure)
                QVERIFY(!r.adjusted(-kBoardPx, -kBoardPx, kBoardPx, kBoardPx).intersects(brackets.back()));
        }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const QRectF box = toQt(texts[i].box);
        const auto hits = [&](const QList<QRectF> &rs) {
            return std::any_of(rs.begin(), rs.end(), [&](const QRectF &r) { return r.intersects(box); });
        };
        // The whole circle's names lie on the disc, clear of its line.
        const bool onDisc = page == 1 && value == 360 && std::hypot(std::max(centre.x() - box.left(), box.right() - centre.x()),
            std::max(centre.y() - box.top(), box.bottom() - centre.y())) < edge - w.px(ArcFigure::kOutlineWidthPx);
        QVERIFY2(QRectF(QPointF(0, 0), area).contains(box) && !hits(figure) && !hits(brackets)
                     && (distance(centre, box) > edge || onDisc),
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
// finished, the base's bracket runs from 274 to 274 + 4 × 69.298 = 551.19
// below it, and the height's stands right of 551.19: the circle, out to 198,
// leaves no room left of the top corner at 274 − 69.298. The number of
// sectors shows from the start, the sides' names once finished. Lines
// and arcs widen with the weight; the drawing state is left as found.
void TestLessonAids::marks()
{
    QFETCH(int, step);
    RecordingOps ops(600, 300), heavy(600, 300);
    ops.setDrawWidth(7);
    aidsOf(2, QSize(600, 300), 2, step, 0, {}).paint(ops);
    aidsOf(2, QSize(600, 300), 2, step, 0, LineWeight::fromFactor(3).value()).paint(heavy);
    QCOMPARE(ops.DrawWidth(), 7);
    QCOMPARE(int(ops.texts().size()), step < 4 ? 1 : 3);

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
                 return l.from.x() > 551.19 && qAbs(l.from.y() - 129.705) < 0.01 && l.to == PointF(l.from.x(), 199);
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
