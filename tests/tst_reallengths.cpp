#include "Convert.h"
#include "PageRenderer.h"
#include "QtTextMeasure.h"
#include "RealLengths.h"
#include "StoredChoices.h"

#include <QTest>

using namespace core;

class TestRealLengths : public QObject
{
    Q_OBJECT
private slots:
    void texts_data();
    void texts();
    void placed_data();
    void placed();
    void stored_data();
    void stored();
};

void TestRealLengths::texts_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("value"); // on page 2, 1: the formula from the diameter
    QTest::addColumn<int>("radius");
    QTest::addColumn<QStringList>("expected");
    // Perimeter 2n·r·sin(180°/n), area n/2·r²·sin(360°/n): no pupil works these, rounded.
    QTest::newRow("12 sides, 10 cm: 240·sin 15° = 62.117, 600·sin 30° = 300")
        << 0 << 12 << 10 << QStringList{"半径 10 cm", "まわりの長さ 約 62.1 cm", "面積 300 cm²"};
    QTest::newRow("6 sides, 5 cm: 60·sin 30° = 30, 75·sin 60° = 64.95")
        << 0 << 6 << 5 << QStringList{"半径 5 cm", "まわりの長さ 30 cm", "面積 約 65.0 cm²"};
    QTest::newRow("square, 8 cm: 64·sin 45° = 45.25, 128·sin 90° = 128")
        << 0 << 4 << 8 << QStringList{"半径 8 cm", "まわりの長さ 約 45.3 cm", "面積 128 cm²"};
    QTest::newRow("64 sides, 10 cm: 1280·sin 2.8125° = 62.807, 3200·sin 5.625° = 313.65")
        << 0 << 64 << 10 << QStringList{"半径 10 cm", "まわりの長さ 約 62.8 cm", "面積 約 313.7 cm²"};
    // Worked with 3.14: arc 直径 × 3.14 × v/360, area 半径 × 半径 × 3.14 × v/360.
    QTest::newRow("90°, 10 cm: 62.8 ÷ 4 = 15.7, 314 ÷ 4 = 78.5")
        << 1 << 90 << 10 << QStringList{"半径 10 cm", "曲線部分の長さ 15.7 cm", "面積 78.5 cm²"};
    QTest::newRow("180°, 8 cm: 50.24 ÷ 2 = 25.12, 200.96 ÷ 2 = 100.48")
        << 1 << 180 << 8 << QStringList{"半径 8 cm", "曲線部分の長さ 25.12 cm", "面積 100.48 cm²"};
    QTest::newRow("120°, 10 cm: 62.8 ÷ 3 = 20.93…, 314 ÷ 3 = 104.66…")
        << 1 << 120 << 10 << QStringList{"半径 10 cm", "曲線部分の長さ 約 20.9 cm", "面積 約 104.7 cm²"};
    QTest::newRow("9°, 5 cm: 31.4 ÷ 40 = 0.785, 78.5 ÷ 40 = 1.9625")
        << 1 << 9 << 5 << QStringList{"半径 5 cm", "曲線部分の長さ 0.785 cm", "面積 1.9625 cm²"};
    QTest::newRow("360°, 5 cm: the circumference 31.4, 78.5")
        << 1 << 360 << 5 << QStringList{"半径 5 cm", "円周 31.4 cm", "面積 78.5 cm²"};
    QTest::newRow("0°, 8 cm: the radius alone") << 1 << 0 << 8 << QStringList{"半径 8 cm"};
    // Base 半径 × 3.14, height the radius; the formula, then its answer with the unit.
    QTest::newRow("10 cm: 31.4 × 10 = 10 × 10 × 3.14 = 314")
        << 2 << 0 << 10 << QStringList{"底辺 31.4 cm", "高さ 10 cm", "10 × 10 × 3.14 ＝ 314", "314 cm²"};
    QTest::newRow("5 cm: 15.7 × 5 = 78.5")
        << 2 << 0 << 5 << QStringList{"底辺 15.7 cm", "高さ 5 cm", "5 × 5 × 3.14 ＝ 78.5", "78.5 cm²"};
    QTest::newRow("8 cm: 25.12 × 8 = 200.96, as the line above it multiplies")
        << 2 << 0 << 8 << QStringList{"底辺 25.12 cm", "高さ 8 cm", "8 × 8 × 3.14 ＝ 200.96", "200.96 cm²"};
    QTest::newRow("8 cm from the diameter: 16 × 3.14 ÷ 2 × 8 = 200.96")
        << 2 << 1 << 8
        << QStringList{"直径 16 cm", "底辺 25.12 cm", "高さ 8 cm", "16 × 3.14 ÷ 2 × 8 ＝ 200.96", "200.96 cm²"};
}

void TestRealLengths::texts()
{
    QFETCH(int, page);
    QFETCH(int, value);
    QFETCH(int, radius);
    QFETCH(QStringList, expected);
    const RealLengths lengths(radius);
    std::vector<std::string> lines = page == 0 ? lengths.polygon(value) : page == 1 ? lengths.sector(value) : lengths.parallelogram(value);
    if (page == 2)
        for (const std::string &line : lengths.areaFormula(value))
            lines.push_back(line);
    QStringList shown;
    for (const std::string &line : lines)
        shown << QString::fromStdString(line);
    QCOMPARE(shown, expected);
}

void TestRealLengths::placed_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<int>("weight");
    // Full screen at 1024 × 768 and 1920 × 1080 leaves a picture 22 px narrower and 99 px lower.
    for (const QSize area : {QSize(1002, 669), QSize(1898, 981)})
        for (int weight = 1; weight <= 3; ++weight)
            for (int page = 0; page <= 2; ++page)
                QTest::addRow("page %d, %dx%d, weight %d", page, area.width(), area.height(), weight) << page << area << weight;
}

// At 12 sides, 90° and the finished 16 sectors with the whole formula, all
// the lines in cm find room beside every other aid; the layout keeps them
// clear of the figure and of the rest.
void TestRealLengths::placed()
{
    QFETCH(int, page);
    QFETCH(QSize, area);
    QFETCH(int, weight);
    const int value = page == 0 ? 12 : page == 1 ? 90 : 8;
    PageView view{page, Convert::toCore(area), value, page == 2 ? 16 : 0, LineWeight::fromFactor(weight).value(),
                  true, LessonAids::kFormulaLines, false, 10};
    const std::vector<TextCall> plain = PageRenderer::aids(view, QtTextMeasure::instance()).texts;
    view.realLengths = true;
    const std::vector<TextCall> texts = PageRenderer::aids(view, QtTextMeasure::instance()).texts;
    QCOMPARE(texts.size(), plain.size() + (page == 2 ? 4 : 3));
}

void TestRealLengths::stored_data()
{
    QTest::addColumn<QString>("on");
    QTest::addColumn<QString>("radius");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("cm");
    QTest::newRow("as written") << "true" << "8" << true << 8;
    QTest::newRow("off, spaces around the radius") << "false" << " 5 " << false << 5;
    QTest::newRow("a radius not on offer") << "true" << "7" << true << 10;
    QTest::newRow("not a truth, not a whole number") << "yes" << "5.0" << false << 10;
}

void TestRealLengths::stored()
{
    QFETCH(QString, on);
    QFETCH(QString, radius);
    QFETCH(bool, shown);
    QFETCH(int, cm);
    const StoredChoices::Choices read = StoredChoices::read(
        [&](const std::string &key) { return (key == "realLengths" ? on : radius).toStdString(); }, 1);
    QCOMPARE(read.realLengths, shown);
    QCOMPARE(read.radiusCm, cm);
}

QTEST_MAIN(TestRealLengths)
#include "tst_reallengths.moc"
