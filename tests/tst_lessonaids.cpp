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

#include <QTest>

#include <cmath>
#include <numbers>

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
    void clear_data();
    void clear();
    void marks_data();
    void marks();
};

namespace {
// A client of 1920 × 1080 gives every figure page a picture of 1898 × 981.
const QSize kFullHd(1898, 981);
// A client of 1024 × 768, a 4:3 projector, gives 1002 × 669.
const QSize kFourByThree(1002, 669);
const QStringList kSides{"高さ", "→ 半径", "底辺 → 円周の半分"};
const QStringList kFormula{"面積 ＝ 底辺 × 高さ", "＝ 円周の半分 × 半径", "＝ 直径 × 3.14 ÷ 2 × 半径",
                           "＝ 半径 × 3.14 × 半径", "円の面積 ＝ 半径 × 半径 × 円周率"};

// Where the finished sectors lie, from the figure's corner (X0, Y0), R, and
// s and c of half a sector's angle: the point-up arcs over the band from the
// top left corner, the band with both slanted sides, the point-down arcs
// under it from X0 to the end of the base, X0 + 2V·R·s.
QList<QRectF> finishedAreas(const ParallelogramFigure &f)
{
    const double x0 = f.firstApex.x(), y0 = f.firstApex.y(), lean = f.R * f.s, height = f.R * f.c;
    const double end = x0 + f.sectors * lean;
    return {QRectF(QPointF(x0 - lean, y0 - f.R), QPointF(end - lean, y0 - height)),
            QRectF(QPointF(x0 - lean, y0 - height), QPointF(end, y0)), QRectF(QPointF(x0, y0), QPointF(end, y0 + f.R - height))};
}

double distance(QPointF p, const QRectF &r)
{
    return std::hypot(p.x() - std::clamp(p.x(), r.left(), r.right()), p.y() - std::clamp(p.y(), r.top(), r.bottom()));
}

LessonAids aidsOf(int page, QSize area, int value, int step, int formulaLines, LineWeight weight)
{
    return PageRenderer::aids({page, toCore(area), value, step, weight, true, formulaLines}, QtTextMeasure::instance());
}
} // namespace

// Names with kanji numerals, 十 alone for one ten; 約 only where a value was
// rounded; the cut-out sheet's wording.
void TestLessonAids::words_data()
{
    QTest::addColumn<QString>("made");
    QTest::addColumn<QString>("expected");
    const auto name = [](int sides, const char *expected) {
        QTest::addRow("%d sides", sides) << QString::fromStdString(AidWords::polygonName(sides)) << expected;
    };
    name(3, "正三角形");
    name(4, "正方形");
    name(5, "正五角形");
    name(9, "正九角形");
    name(10, "正十角形");
    name(11, "正十一角形");
    name(19, "正十九角形");
    name(20, "正二十角形");
    name(21, "正二十一角形");
    name(40, "正四十角形");
    name(55, "正五十五角形");
    name(64, "正六十四角形");
    const auto rounded = [](const char *row, double value, int decimals, const char *expected) {
        QTest::newRow(row) << QString::fromStdString(AidWords::rounded(value, decimals)) << expected;
    };
    rounded("π to 3 places", 3.14159, 3, "約 3.142");
    rounded("a half to 1 place", 0.5, 1, "0.5");
    rounded("6·sin 30° to 3 places", 6 * std::sin(std::numbers::pi / 6), 3, "3.000");
    rounded("1/3 to 1 place", 1.0 / 3, 1, "約 0.3");
    QTest::newRow("cut-out sheet, 8 sectors")
        << QString::fromStdString(CutOutCircle::compute(4).caption())
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
    QTest::addColumn<QStringList>("expected"); // empty where a small picture may leave some out
    // n·sin(π/n) and n·sin(2π/n)/2π; v/360 in lowest terms.
    const auto row = [](const char *name, int page, int value, int lines, const QStringList &expected) {
        QTest::newRow(name) << page << kFullHd << value << lines << expected;
    };
    row("triangle", 0, 3, 0, {"正三角形", "辺の数 3", "周の長さ ÷ 直径 ＝ 約 2.598", "面積は円の 約 41.3 %", "円周率 ＝ 3.14…"});
    row("square", 0, 4, 0, {"正方形", "辺の数 4", "周の長さ ÷ 直径 ＝ 約 2.828", "面積は円の 約 63.7 %", "円周率 ＝ 3.14…"});
    row("hexagon: 3 exactly", 0, 6, 0, {"正六角形", "辺の数 6", "周の長さ ÷ 直径 ＝ 3.000", "面積は円の 約 82.7 %", "円周率 ＝ 3.14…"});
    row("12 sides", 0, 12, 0, {"正十二角形", "辺の数 12", "周の長さ ÷ 直径 ＝ 約 3.106", "面積は円の 約 95.5 %", "円周率 ＝ 3.14…"});
    row("64 sides", 0, 64, 0, {"正六十四角形", "辺の数 64", "周の長さ ÷ 直径 ＝ 約 3.140", "面積は円の 約 99.8 %", "円周率 ＝ 3.14…"});
    row("90°", 1, 90, 0, {"おうぎ形", "中心角 90°", "円の 1/4 ＝ 25 %"});
    row("120°", 1, 120, 0, {"おうぎ形", "中心角 120°", "円の 1/3 ＝ 約 33.3 %"});
    row("100°", 1, 100, 0, {"おうぎ形", "中心角 100°", "円の 5/18 ＝ 約 27.8 %"});
    row("1°", 1, 1, 0, {"おうぎ形", "中心角 1°", "円の 1/360 ＝ 約 0.3 %"});
    row("9°: 2.5 exactly", 1, 9, 0, {"おうぎ形", "中心角 9°", "円の 1/40 ＝ 2.5 %"});
    row("360°", 1, 360, 0, {"おうぎ形", "中心角 360°", "円の 1 ＝ 100 %"});
    row("0°", 1, 0, 0, {"おうぎ形", "中心角 0°", "円の 0 ＝ 0 %"});
    for (int lines = 0; lines <= LessonAids::kFormulaLines + 1; ++lines)
        QTest::addRow("finished, %d formula lines", lines)
            << 2 << kFullHd << 4 << lines << QStringList{"おうぎ形の数 8"} + kSides + kFormula.mid(0, lines);
    for (const QSize area : {QSize(526, 370), QSize(3818, 2061), QSize(1344, 669), QSize(500, 900), QSize(300, 200),
                             QSize(120, 90), QSize(2, 2)}) {
        const bool roomy = area.width() > 1000;
        for (int half : {2, 4, 32})
            QTest::addRow("%dx%d V=%d", area.width(), area.height(), half)
                << 2 << area << half << int(kFormula.size())
                << (roomy ? QStringList{"おうぎ形の数 " + QString::number(2 * half)} + kSides + kFormula : QStringList());
        QTest::addRow("%dx%d polygon", area.width(), area.height()) << 0 << area << 7 << 0 << QStringList();
        QTest::addRow("%dx%d arc", area.width(), area.height()) << 1 << area << 100 << 0 << QStringList();
    }
}

// The texts as painted, each inside the picture, on its own, off the circle
// and, on page 2, off the finished figure's arcs and the band between them. At a 1920 × 1080
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
    QList<QRectF> figure;
    if (page == 0) {
        const PolygonFigure f = PolygonFigure::compute(area.width(), area.height(), value);
        centre = toQt(f.centre), radius = f.radius;
    } else if (page == 1) {
        const ArcFigure f = ArcFigure::compute(area.width(), area.height(), value);
        centre = toQt(f.centre), radius = f.radius;
    } else {
        const ParallelogramFigure f = ParallelogramFigure::compute(area.width(), area.height(), value, 2 * value);
        centre = toQt(f.centre), radius = f.R;
        figure = finishedAreas(f);
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const QRectF box = toQt(texts[i].box);
        QVERIFY2(QRectF(QPointF(0, 0), area).contains(box) && distance(centre, box) > radius
                     && std::none_of(figure.begin(), figure.end(), [&](const QRectF &r) { return r.intersects(box); }),
                 qPrintable(shown[i]));
        for (std::size_t j = 0; j < i; ++j)
            QVERIFY2(!box.intersects(toQt(texts[j].box)), qPrintable(shown[i] + " / " + shown[j]));
        QVERIFY(area != kFullHd || texts[i].pixelSize >= 28);
    }
}

void TestLessonAids::clear_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("weight");
    QTest::addColumn<int>("shown"); // every line: name, count and readouts; page 2's count, labels, formula
    for (const QSize area : {kFourByThree, kFullHd})
        for (int weight = 1; weight <= 3; ++weight) {
            const auto row = [&](int page, int value, int step, int shown) {
                QTest::addRow("%dx%d ×%d page %d value %d step %d", area.width(), area.height(), weight, page, value, step)
                    << page << area << value << step << weight << shown;
            };
            for (int sides : {3, 4, 64})
                row(0, sides, 0, 5);
            for (int degrees : {1, 90, 300})
                row(1, degrees, 0, 3);
            row(2, 2, 0, 1);
            for (int half : {2, 3, 4, 8, 32})
                row(2, half, 2 * half, 9);
        }
}

// At a 4:3 projector's size as at 16:9, at every weight: every aid shows,
// each text clear of the others, of the figure's lines (half their width
// out) and of the brackets; the brackets leave board between them and the
// figure's lines.
void TestLessonAids::clear()
{
    QFETCH(int, page);
    QFETCH(QSize, area);
    QFETCH(int, value);
    QFETCH(int, step);
    QFETCH(int, weight);
    QFETCH(int, shown);
    constexpr double kBoardPx = 2;
    const LineWeight w = LineWeight::fromFactor(weight).value();
    RecordingOps ops(area.width(), area.height());
    aidsOf(page, area, value, step, LessonAids::kFormulaLines, w).paint(ops);
    const std::vector<TextCall> texts = ops.texts();
    QCOMPARE(int(texts.size()), shown);

    QPointF centre;
    double edge = 0; // the circle's line's outer edge
    QList<QRectF> figure;
    if (page == 0) {
        const PolygonFigure f = PolygonFigure::compute(area.width(), area.height(), value);
        centre = toQt(f.centre), edge = f.radius + w.px(PolygonFigure::kEdgeWidthPx) / 2.0;
    } else if (page == 1) {
        const ArcFigure f = ArcFigure::compute(area.width(), area.height(), value);
        centre = toQt(f.centre), edge = f.radius + w.px(ArcFigure::kOutlineWidthPx) / 2.0;
    } else {
        const ParallelogramFigure f = ParallelogramFigure::compute(area.width(), area.height(), value, step);
        const double half = w.px(ParallelogramFigure::kOutlineWidthPx) / 2.0;
        centre = toQt(f.centre), edge = f.R + half;
        for (const QRectF &r : finishedAreas(f))
            figure << r.adjusted(-half, -half, half, half);
    }
    QList<QRectF> brackets;
    for (const LineCall &l : ops.lines())
        if (l.width == w.px(ParallelogramAids::kBracketWidthPx)) {
            const double half = l.width / 2.0;
            brackets << QRectF(toQt(l.from), toQt(l.to)).normalized().adjusted(-half, -half, half, half);
        }
    QCOMPARE(brackets.isEmpty(), page != 2 || step == 0);
    for (const QRectF &b : brackets) {
        QVERIFY(distance(centre, b) >= edge + kBoardPx);
        for (const QRectF &r : figure)
            QVERIFY(!r.adjusted(-kBoardPx, -kBoardPx, kBoardPx, kBoardPx).intersects(b));
    }
    QList<QRectF> boxes;
    for (const TextCall &t : texts) {
        const QRectF box = toQt(t.box);
        const QString name = QString::fromStdString(t.text);
        QVERIFY2(QRectF(QPointF(0, 0), area).contains(box) && distance(centre, box) > edge, qPrintable(name));
        for (const QList<QRectF> &others : {figure, brackets, boxes})
            QVERIFY2(std::none_of(others.begin(), others.end(), [&](const QRectF &r) { return r.intersects(box); }),
                     qPrintable(name));
        boxes << box;
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
// below it; the height's stands right of 551.19, as the circle (to 198) leaves
// no room left of the top corner at 274 − 69.298. Lines
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
                 return l.from.x() > 551.19 && qAbs(l.from.y() - 129.705) < 0.01 && l.to == PointF(l.from.x(), 199);
             }), step == 4);
    QCOMPARE(drawn([](const LineCall &l) {
                 return l.from == PointF(274, l.to.y()) && l.to.y() > 199 && qAbs(l.to.x() - 551.19) < 0.01;
             }), step == 4);
    const auto widths = [](const RecordingOps &r, int factor) {
        QList<int> w;
        for (const LineCall &l : r.lines())
            w << l.width * factor;
        for (const CircleCall &c : r.circles())
            w << c.width * factor;
        return w;
    };
    QCOMPARE(widths(heavy, 1), widths(ops, 3));
}

QTEST_MAIN(TestLessonAids)
#include "tst_lessonaids.moc"
