#include "ArcFigure.h"
#include "Convert.h"
#include "PageImage.h"
#include "PageRenderer.h"
#include "PolygonFigure.h"
#include "QtTextMeasure.h"
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
    void centreLines_data();
    void centreLines();
    void storedChoice_data();
    void storedChoice();
};

namespace {
const QSize kFullHd(1898, 981);
const QStringList kCounts{"中の正方形 276 こ", "円にかかる正方形 68 こ", "およそ 276 ＋ 68 ÷ 2", "＝ 310（cm²）"};
const QStringList kSquares{"内側の正方形 200 cm²", "外側の正方形 400 cm²", "円の面積は", "200 cm² より大きく",
                           "400 cm² より小さい"};
} // namespace

// The textbook's counts on 1-cm paper, the cut squares judged by their corners.
void TestSquaredPaper::counts_data()
{
    QTest::addColumn<int>("radius");
    QTest::addColumn<int>("inside");
    QTest::addColumn<int>("cut");
    QTest::newRow("radius 10 cm, about 310") << 10 << 276 << 68;
    QTest::newRow("radius 5 cm, about 74") << 5 << 60 << 28;
    QTest::newRow("radius 8 cm, about 194") << 8 << 164 << 60;
}

void TestSquaredPaper::counts()
{
    QFETCH(int, radius);
    QFETCH(int, inside);
    QFETCH(int, cut);
    const SquaredPaper::Count c = SquaredPaper::count(radius);
    QCOMPARE(c.inside, inside);
    QCOMPARE(c.cut, cut);
}

void TestSquaredPaper::readouts_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<bool>("grid");
    QTest::addColumn<bool>("squares");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("absent");
    QTest::newRow("counts beside the polygon") << 0 << kFullHd << true << false << kCounts << kSquares;
    QTest::newRow("counts beside the sector") << 1 << kFullHd << true << false << kCounts << kSquares;
    QTest::newRow("counts beside the sectors") << 2 << kFullHd << true << false << kCounts << kSquares;
    QTest::newRow("two squares around the polygon") << 0 << kFullHd << false << true << kSquares << kCounts;
    QTest::newRow("both around the polygon") << 0 << kFullHd << true << true << kCounts + kSquares << QStringList();
    QTest::newRow("no squares on the sector's page") << 1 << kFullHd << false << true << QStringList() << kSquares;
    QTest::newRow("both at 1024 × 768") << 0 << QSize(1002, 669) << true << true << kCounts + kSquares << QStringList();
}

// Readouts with the aids: each line once, inside the picture.
void TestSquaredPaper::readouts()
{
    QFETCH(int, page);
    QFETCH(QSize, area);
    QFETCH(bool, grid);
    QFETCH(bool, squares);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, absent);
    PageView view;
    view.page = page;
    view.inner = Convert::toCore(area);
    view.value = page == 1 ? 90 : page == 0 ? 12 : 4;
    view.aids = true;
    view.grid = grid;
    view.squares = squares;
    QStringList texts;
    for (const TextCall &t : PageRenderer::aids(view, QtTextMeasure::instance()).texts) {
        texts << QString::fromStdString(t.text);
        QVERIFY(t.box.left() >= 0 && t.box.top() >= 0 && t.box.right() <= area.width() &&
                t.box.bottom() <= area.height());
    }
    for (const QString &line : shown)
        QVERIFY2(texts.count(line) == 1, qPrintable(line + " in " + texts.join(" | ")));
    for (const QString &line : absent)
        QVERIFY2(!texts.contains(line), qPrintable(line));
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
        if (stored.isNull() || (key != StoredChoices::kGridKey && key != StoredChoices::kSquaresKey))
            return std::nullopt;
        return stored.toStdString();
    };
    const StoredChoices::Choices read = StoredChoices::read(lookup, 1);
    QCOMPARE(read.grid, shown);
    QCOMPARE(read.squares, shown);
}

QTEST_MAIN(TestSquaredPaper)
#include "tst_squaredpaper.moc"
