#include "ArcFigure.h"
#include "Convert.h"
#include "PageImage.h"
#include "PageRenderer.h"
#include "PolygonFigure.h"
#include "QtTextMeasure.h"
#include "RecordingOps.h"
#include "SquaredPaper.h"
#include "StoredChoices.h"

#include <QTest>

using namespace core;

class TestSquaredPaper : public QObject
{
    Q_OBJECT
private slots:
    void counts_data();
    void counts();
    void readouts_data();
    void readouts();
    void countedStepByStep_data();
    void countedStepByStep();
    void everyBlockShownOrNamed_data();
    void everyBlockShownOrNamed();
    void centreLines_data();
    void centreLines();
    void storedChoice_data();
    void storedChoice();
};

namespace {
const QSize kFullHd(1898, 981);
const QString kInside = "円の中に全部入っている正方形 %1 個", kCut = "円周がかかっている正方形 %1 個";
const QStringList kCounts{kInside.arg(276), kCut.arg(68), "276 ＋ 68 ÷ 2 ＝ 310", "およそ 310 cm²"};
const QStringList kSquares{"半径を 1 辺とする正方形 100 cm²", "内側の正方形 200 cm² ＝ 100 × 2",
                           "外側の正方形 400 cm² ＝ 100 × 4", "100 × 2 < 円 < 100 × 4", "2 倍より大きく、4 倍より小さい",
                           "正十二角形 300 cm² ＝ 100 × 3", "円は 約 3 倍"};

// Counted apart from the program: by symmetry each quarter holds the same
// squares, and in the upper right one the corner nearest the centre is the
// lowest one, the farthest the highest. Inside: the farthest within or on
// the circle; cut: the nearest strictly within, the farthest outside.
SquaredPaper::Count byQuarter(int r, int quarters)
{
    SquaredPaper::Count c;
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < r; ++j) {
            const int nearest = i * i + j * j, farthest = (i + 1) * (i + 1) + (j + 1) * (j + 1);
            c.inside += farthest <= r * r ? quarters : 0;
            c.cut += nearest < r * r && farthest > r * r ? quarters : 0;
        }
    return c;
}

QStringList textsOf(const LessonAids &aids)
{
    QStringList texts;
    for (const TextCall &t : aids.texts)
        texts << QString::fromStdString(t.text);
    return texts;
}
} // namespace

// The textbook's counts on 1-cm paper, the cut squares judged by their
// corners: the whole circle and its quarters, worked by hand and counted
// again apart from the program.
void TestSquaredPaper::counts_data()
{
    QTest::addColumn<int>("radius");
    QTest::addColumn<int>("quarters");
    QTest::addColumn<int>("inside");
    QTest::addColumn<int>("cut");
    QTest::newRow("radius 10 cm, about 310") << 10 << 4 << 276 << 68;
    QTest::newRow("radius 10 cm, the textbook's quarter: 69 + 17 ÷ 2 = 77.5") << 10 << 1 << 69 << 17;
    QTest::newRow("radius 5 cm, about 74") << 5 << 4 << 60 << 28;
    // a² + b² ≤ 25 for a, b in 1..5: 4 + 4 + 4 + 3; i² + j² < 25 for i, j in 0..4: 22, less 15.
    QTest::newRow("radius 5 cm, a quarter") << 5 << 1 << 15 << 7;
    QTest::newRow("radius 8 cm, about 194") << 8 << 4 << 164 << 60;
    // a² + b² ≤ 64: 7 + 7 + 7 + 6 + 6 + 5 + 3; i² + j² < 64: 56, less 41.
    QTest::newRow("radius 8 cm, a quarter") << 8 << 1 << 41 << 15;
    QTest::newRow("radius 8 cm, three quarters") << 8 << 3 << 123 << 45;
}

void TestSquaredPaper::counts()
{
    QFETCH(int, radius);
    QFETCH(int, quarters);
    QFETCH(int, inside);
    QFETCH(int, cut);
    const SquaredPaper::Count expected{inside, cut};
    QCOMPARE(byQuarter(radius, quarters), expected);
    QCOMPARE(SquaredPaper::count(radius, quarters), expected);
}

void TestSquaredPaper::readouts_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("radius");
    QTest::addColumn<bool>("quarter");
    QTest::addColumn<bool>("grid");
    QTest::addColumn<bool>("squares");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("absent");
    QTest::newRow("counts beside the polygon") << 0 << 12 << 10 << false << true << false << kCounts << kSquares;
    QTest::newRow("the quarter counted, times 4")
        << 0 << 12 << 10 << true << true << false
        << QStringList{"円の 1/4 で数える", kInside.arg(69), kCut.arg(17), "69 ＋ 17 ÷ 2 ＝ 77.5", "77.5 × 4 ＝ 310", "およそ 310 cm²"}
        << kCounts.mid(0, 3);
    QTest::newRow("a quarter of the 5 cm circle: 15 + 3.5 = 18.5, 74")
        << 2 << 4 << 5 << true << true << false
        << QStringList{kInside.arg(15), kCut.arg(7), "15 ＋ 7 ÷ 2 ＝ 18.5", "18.5 × 4 ＝ 74", "およそ 74 cm²"} << QStringList();
    QTest::newRow("a quarter of the 8 cm circle: 41 + 7.5 = 48.5, 194")
        << 0 << 12 << 8 << true << true << false
        << QStringList{kInside.arg(41), kCut.arg(15), "41 ＋ 15 ÷ 2 ＝ 48.5", "48.5 × 4 ＝ 194", "およそ 194 cm²"} << QStringList();
    QTest::newRow("the 90° sector's own squares, the quarter chosen or not")
        << 1 << 90 << 10 << true << true << false
        << QStringList{kInside.arg(69), kCut.arg(17), "69 ＋ 17 ÷ 2 ＝ 77.5", "およそ 77.5 cm²"}
        << QStringList{"円の 1/4 で数える", "77.5 × 4 ＝ 310"} + kCounts;
    QTest::newRow("the 8 cm half circle: 82 + 15 = 97")
        << 1 << 180 << 8 << false << true << false
        << QStringList{kInside.arg(82), kCut.arg(30), "82 ＋ 30 ÷ 2 ＝ 97", "およそ 97 cm²"} << QStringList();
    QTest::newRow("a sector that ends inside a quarter is not counted")
        << 1 << 100 << 10 << false << true << false << QStringList{"方眼の正方形は 90°・180°・270°・360° で数える"}
        << kCounts;
    QTest::newRow("counts beside the sectors") << 2 << 4 << 10 << false << true << false << kCounts << kSquares;
    // 2r², 4r² and, at twelve sides, 12/2 · r² · sin 30° = 3r², each as r × r times 2, 4 and 3.
    QTest::newRow("two squares around the polygon") << 0 << 12 << 10 << false << false << true << kSquares << kCounts;
    QTest::newRow("5 cm, seven sides: no 3 times") << 0 << 7 << 5 << false << false << true
        << QStringList{"半径を 1 辺とする正方形 25 cm²", "外側の正方形 100 cm² ＝ 25 × 4", "25 × 2 < 円 < 25 × 4"} << QStringList{"円は 約 3 倍"};
    QTest::newRow("8 cm, twelve sides") << 0 << 12 << 8 << false << false << true
        << QStringList{"内側の正方形 128 cm² ＝ 64 × 2", "正十二角形 192 cm² ＝ 64 × 3", "円は 約 3 倍"} << QStringList();
    QTest::newRow("both around the polygon") << 0 << 12 << 10 << false << true << true << kCounts + kSquares << QStringList();
    QTest::newRow("no squares on the sector's page") << 1 << 90 << 10 << false << false << true << QStringList() << kSquares;
}

// Readouts with the aids, the counting done: each line once, inside the picture.
void TestSquaredPaper::readouts()
{
    QFETCH(int, page);
    QFETCH(int, value);
    QFETCH(int, radius);
    QFETCH(bool, quarter);
    QFETCH(bool, grid);
    QFETCH(bool, squares);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, absent);
    PageView view{page, Convert::toCore(kFullHd), value, 0, {}, true, 0, false, radius, grid, squares};
    view.quarterCount = quarter;
    const LessonAids aids = PageRenderer::aids(view, QtTextMeasure::instance());
    const QStringList texts = textsOf(aids);
    for (const TextCall &t : aids.texts)
        QVERIFY(t.box.left() >= 0 && t.box.top() >= 0 && t.box.right() <= kFullHd.width() && t.box.bottom() <= kFullHd.height());
    for (const QString &line : shown)
        QVERIFY2(texts.count(line) == 1, qPrintable(line + " in " + texts.join(" | ")));
    for (const QString &line : absent)
        QVERIFY2(!texts.contains(line), qPrintable(line));
}

// Pupils count before they are told: the paper alone, the squares inside
// tinted, those cut too, the two counts, then the estimate.
void TestSquaredPaper::countedStepByStep_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<bool>("insideTinted");
    QTest::addColumn<bool>("cutTinted");
    QTest::addColumn<int>("lines");
    for (const auto &[step, inside, cut, lines] :
         {std::tuple{0, false, false, 0}, {1, true, false, 0}, {2, true, true, 0}, {3, true, true, 2}, {4, true, true, 4}})
        QTest::addRow("step %d", step) << step << inside << cut << lines;
}

void TestSquaredPaper::countedStepByStep()
{
    QFETCH(int, step);
    QFETCH(bool, insideTinted);
    QFETCH(bool, cutTinted);
    QFETCH(int, lines);
    PageView view{0, Convert::toCore(kFullHd), 12, 0, {}, true, 0, false, 10, true};
    view.paperStep = step;
    RecordingOps ops(kFullHd.width(), kFullHd.height());
    PageRenderer::paint(ops, view, QtTextMeasure::instance());
    const std::vector<BoxCall> boxes = ops.boxes();
    const auto tinted = [&](Color c) { return std::any_of(boxes.begin(), boxes.end(), [&](auto &b) { return b.fill == c; }); };
    QCOMPARE(tinted(SquaredPaper::kInsideColor), insideTinted);
    QCOMPARE(tinted(SquaredPaper::kCutColor), cutTinted);
    const QStringList texts = textsOf(PageRenderer::aids(view, QtTextMeasure::instance()));
    for (int i = 0; i < kCounts.size(); ++i)
        QCOMPARE(texts.contains(kCounts[i]), i < lines);
}

// Every block with everything on at the sizes a class meets (the window as it
// opens, 4:3 in a window and as --export draws it, 16:9, 4K) shows, or one
// line names it; a block is found by words it has in either of its forms.
void TestSquaredPaper::everyBlockShownOrNamed_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<int>("weight");
    QTest::addColumn<QStringList>("blocks"); // name, then words of it, in pairs
    const QList<QStringList> pages = {
        {"正多角形の名前", "辺の数 12", "まわりの長さ ÷ 直径", "まわりの長さ ÷ 直径", "面積の割合", "面積は円の", "円周率",
         "円周率 ＝", "cm の長さ", "まわりの長さ 約 62.1 cm", "正方形の面積", "100 × 4", "方眼の数", "およそ 310"},
        {"中心角", "おうぎ形の中心角 90°", "cm の長さ", "曲線部分の長さ 15.7 cm", "方眼の数", "およそ 77.5"},
        {"おうぎ形の数", "おうぎ形の数 16", "高さ ＝ 半径", "高さ ＝ 半径", "底辺 ＝ 円周の半分", "底辺 ＝ 円周の半分",
         "面積の公式", "半径 × 半径 × 円周率", "cm の長さ", "314 cm²", "方眼の数", "およそ 310"}};
    for (const QSize area : {QSize(526, 370), QSize(1002, 669), QSize(1024, 768), kFullHd, QSize(3818, 2061)})
        for (int weight = 1; weight <= 3; ++weight)
            for (int page = 0; page < 3; ++page)
                QTest::addRow("page %d, %dx%d ×%d", page, area.width(), area.height(), weight)
                    << page << area << weight << pages[page];
}

void TestSquaredPaper::everyBlockShownOrNamed()
{
    QFETCH(int, page);
    QFETCH(QSize, area);
    QFETCH(int, weight);
    QFETCH(QStringList, blocks);
    const PageView view{page, Convert::toCore(area), page == 0 ? 12 : page == 1 ? 90 : 8, page == 2 ? 16 : 0,
                        *LineWeight::fromFactor(weight), true, LessonAids::kFormulaLines, true, 10, true, page == 0};
    const QString texts = textsOf(PageRenderer::aids(view, QtTextMeasure::instance())).join(" | ");
    const QString note = texts.mid(texts.indexOf("入りきらない説明："));
    for (qsizetype i = 0; i < blocks.size(); i += 2)
        QVERIFY2(texts.contains(blocks[i + 1]) || (note.contains(blocks[i]) && texts.contains("入りきらない説明：")),
                 qPrintable(blocks[i] + " in " + texts));
}

// The squares are counted from the circle's centre, so a line of the paper
// passes through it each way: one pixel wide at the design weight, with the
// board on either side, away from the figure.
void TestSquaredPaper::centreLines_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("value");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QPoint>("centre");
    const auto polygonCentre = [](QSize a) {
        return Convert::toQt(PolygonFigure::compute(float(a.width()), float(a.height()), 3).centre);
    };
    const auto arcCentre = [](QSize a) {
        return Convert::toQt(ArcFigure::compute(float(a.width()), float(a.height()), 0).centre).toPoint();
    };
    QTest::newRow("polygon, window as it opens") << 0 << 3 << QSize(526, 370) << polygonCentre(QSize(526, 370));
    QTest::newRow("polygon, full HD") << 0 << 3 << kFullHd << polygonCentre(kFullHd);
    QTest::newRow("empty sector, 4:3") << 1 << 0 << QSize(1002, 669) << arcCentre(QSize(1002, 669));
}

void TestSquaredPaper::centreLines()
{
    QFETCH(int, page);
    QFETCH(int, value);
    QFETCH(QSize, area);
    QFETCH(QPoint, centre);
    PageView view;
    view.page = page;
    view.inner = Convert::toCore(area);
    view.value = value;
    view.grid = true;
    const QImage image = PageImage::render(view);
    const QRgb line = Convert::toQt(SquaredPaper::kLineColor).rgb();
    const QRgb board = Convert::toQt(PageRenderer::kBoard).rgb();
    // Down the middle just inside the top of the circle, above the triangle,
    // and across at the right edge; each halfway between two lines the other way.
    const double square = PolygonFigure::compute(float(area.width()), float(area.height()), 3).radius / 10.0;
    const int x = centre.x() + int((area.width() - 1 - centre.x()) / square - 0.5) * square + square / 2;
    const int y = int(centre.y() - 9.5 * square);
    QCOMPARE(image.pixel(centre.x(), y), line);
    QCOMPARE(image.pixel(centre.x() - 1, y), board);
    QCOMPARE(image.pixel(centre.x() + 1, y), board);
    QCOMPARE(image.pixel(x, centre.y()), line);
    QCOMPARE(image.pixel(x, centre.y() - 1), board);
    QCOMPARE(image.pixel(x, centre.y() + 1), board);
}

// Settings are untrusted: only what Qt writes for true shows the paper at start-up.
void TestSquaredPaper::storedChoice_data()
{
    QTest::addColumn<QString>("stored"); // null: nothing stored
    QTest::addColumn<bool>("shown");
    QTest::newRow("never stored") << QString() << false;
    QTest::newRow("shown") << "true" << true;
    QTest::newRow("hidden") << "false" << false;
    QTest::newRow("a number") << "1" << false;
    QTest::newRow("trailing junk") << "truex" << false;
}

void TestSquaredPaper::storedChoice()
{
    QFETCH(QString, stored);
    QFETCH(bool, shown);
    const auto lookup = [&](const std::string &key) -> std::optional<std::string> {
        if (stored.isNull() || (key != StoredChoices::kGridKey && key != StoredChoices::kSquaresKey &&
                                key != StoredChoices::kQuarterCountKey && key != StoredChoices::kDiameterFormulaKey))
            return std::nullopt;
        return stored.toStdString();
    };
    const StoredChoices::Choices read = StoredChoices::read(lookup, 1);
    QCOMPARE((QList<bool>{read.grid, read.squares, read.quarterCount, read.diameterFormula}), QList<bool>(4, shown));
}

QTEST_MAIN(TestSquaredPaper)
#include "tst_squaredpaper.moc"
