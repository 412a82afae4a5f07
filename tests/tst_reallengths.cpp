#include "Convert.h"
#include "PageRenderer.h"
#include "PageTable.h"
#include "PracticeFigure.h"
#include "PracticeProblem.h"
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
    void practiceWorked_data();
    void practiceWorked();
    void practiceLaidOut_data();
    void practiceLaidOut();
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

void TestRealLengths::practiceWorked_data()
{
    // A figure and its lengths; the expression, its value and the answer, worked by hand with 3.14.
    QTest::addColumn<QString>("figure");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<QStringList>("worked");
    const auto row = [](const char *figure, int a, int b, QString expression, QString value, QString answer) {
        QTest::addRow("%s %d %d", figure, a, b) << figure << a << b << QStringList{expression, value, answer};
    };
    row("half", 10, 0, "5 × 5 × 3.14 ÷ 2", "39.25", "39.25 cm²");                   // 78.5 ÷ 2
    row("half", 7, 0, "3.5 × 3.5 × 3.14 ÷ 2", "19.2325", "19.2325 cm²");            // 12.25 × 3.14 = 38.465
    row("half", 20, 0, "10 × 10 × 3.14 ÷ 2", "157", "157 cm²");
    row("quarter", 10, 0, "10 × 10 × 3.14 ÷ 4", "78.5", "78.5 cm²");
    row("quarter", 3, 0, "3 × 3 × 3.14 ÷ 4", "7.065", "7.065 cm²");                  // 28.26 ÷ 4
    row("quarter", 1, 0, "1 × 1 × 3.14 ÷ 4", "0.785", "0.785 cm²");
    row("sector60", 6, 0, "6 × 6 × 3.14 × 60 ÷ 360", "18.84", "18.84 cm²");          // 113.04 ÷ 6
    row("sector60", 10, 0, "10 × 10 × 3.14 × 60 ÷ 360", "52.333…", "約 52.3 cm²");   // 314 ÷ 6
    row("sector60", 12, 0, "12 × 12 × 3.14 × 60 ÷ 360", "75.36", "75.36 cm²");       // 452.16 ÷ 6
    row("sector90", 8, 0, "8 × 8 × 3.14 × 90 ÷ 360", "50.24", "50.24 cm²");          // 200.96 ÷ 4
    row("sector90", 2, 0, "2 × 2 × 3.14 × 90 ÷ 360", "3.14", "3.14 cm²");
    row("sector90", 20, 0, "20 × 20 × 3.14 × 90 ÷ 360", "314", "314 cm²");
    row("sector120", 3, 0, "3 × 3 × 3.14 × 120 ÷ 360", "9.42", "9.42 cm²");          // 28.26 ÷ 3
    row("sector120", 5, 0, "5 × 5 × 3.14 × 120 ÷ 360", "26.166…", "約 26.2 cm²");    // 78.5 ÷ 3
    row("sector120", 9, 0, "9 × 9 × 3.14 × 120 ÷ 360", "84.78", "84.78 cm²");        // 254.34 ÷ 3
    row("square-quarter", 10, 0, "10 × 10 − 10 × 10 × 3.14 ÷ 4", "21.5", "21.5 cm²");    // 100 − 78.5
    row("square-quarter", 4, 0, "4 × 4 − 4 × 4 × 3.14 ÷ 4", "3.44", "3.44 cm²");         // 16 − 12.56
    row("square-quarter", 20, 0, "20 × 20 − 20 × 20 × 3.14 ÷ 4", "86", "86 cm²");        // 400 − 314
    row("leaf", 10, 0, "10 × 10 × 3.14 ÷ 4 × 2 − 10 × 10", "57", "57 cm²");              // 157 − 100
    row("leaf", 6, 0, "6 × 6 × 3.14 ÷ 4 × 2 − 6 × 6", "20.52", "20.52 cm²");             // 56.52 − 36
    row("leaf", 1, 0, "1 × 1 × 3.14 ÷ 4 × 2 − 1 × 1", "0.57", "0.57 cm²");               // 1.57 − 1
    row("ring", 10, 5, "10 × 10 × 3.14 − 5 × 5 × 3.14", "235.5", "235.5 cm²");           // 314 − 78.5
    row("ring", 3, 2, "3 × 3 × 3.14 − 2 × 2 × 3.14", "15.7", "15.7 cm²");                // 28.26 − 12.56
    row("ring", 20, 19, "20 × 20 × 3.14 − 19 × 19 × 3.14", "122.46", "122.46 cm²");      // 1256 − 1133.54
    row("ring", 5, 7, "5 × 5 × 3.14 − 4 × 4 × 3.14", "28.26", "28.26 cm²");              // the hole held inside: 78.5 − 50.24
    row("track", 5, 10, "10 × 5 × 2 ＋ 5 × 5 × 3.14", "178.5", "178.5 cm²");             // 100 + 78.5
    row("track", 1, 1, "1 × 1 × 2 ＋ 1 × 1 × 3.14", "5.14", "5.14 cm²");
    row("track", 7, 20, "20 × 7 × 2 ＋ 7 × 7 × 3.14", "433.86", "433.86 cm²");           // 280 + 153.86
}

void TestRealLengths::practiceWorked()
{
    QFETCH(QString, figure);
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(QStringList, worked);
    const PracticeProblem p(PracticeProblem::find(figure.toStdString()).value(), first, second);
    QCOMPARE((QStringList{QString::fromStdString(p.expression()), QString::fromStdString(p.answerWorked()),
                          QString::fromStdString(p.answerText())}),
             worked);
}

void TestRealLengths::practiceLaidOut_data()
{
    QTest::addColumn<int>("figure");
    QTest::addColumn<QSize>("area");
    // The pictures of a full screen at 1024 × 768 and 1920 × 1080, and of the window as it opens.
    for (const QSize area : {QSize(1002, 669), QSize(1898, 981), QSize(526, 370)})
        for (int figure = 0; figure < PracticeProblem::kKinds; ++figure)
            QTest::addRow("%s, %dx%d", PracticeProblem::kind(figure).id, area.width(), area.height()) << figure << area;
}

// Each step adds its lines and moves nothing the class already sees: the
// figure stays where ink was written on it, and every word stays inside the
// picture, the working clear of the figure.
void TestRealLengths::practiceLaidOut()
{
    QFETCH(int, figure);
    QFETCH(QSize, area);
    const PracticeProblem problem(figure, PracticeProblem::kind(figure).first.start, PracticeProblem::kMaxCm);
    // The given lengths: a sector's angle and a ring's or a track's second length are labelled too.
    const int givens[PracticeProblem::kKinds] = {1, 1, 2, 2, 2, 1, 1, 2, 2};
    // Lines each step adds: the lengths and the question; the cut; the expression (on one line or two); its value
    // and the answer.
    const int added[] = {givens[figure] + 1, int(problem.cut().size()), 1, 2};
    std::vector<TextCall> before;
    std::size_t lengths = 0;
    RectF drawn;
    for (int step = 0; step <= PracticeFigure::kSteps; ++step) {
        PageView view{PageTable::find("practice").value(), Convert::toCore(area), problem.first(), step};
        view.choice = figure;
        view.second = problem.second();
        const PracticeFigure f = PracticeFigure::compute(view, &QtTextMeasure::instance());
        const std::vector<TextCall> &texts = f.marks.texts;
        const std::size_t more = texts.size() - before.size();
        QVERIFY2(int(more) == added[step] || (step == 2 && more == 2), qPrintable(QString::number(more)));
        for (std::size_t i = 0; i < before.size(); ++i)
            QCOMPARE(texts[i].box, before[i].box);
        lengths = step == 0 ? texts.size() - 1 : lengths;
        drawn = step == 0 ? f.drawn : drawn;
        QCOMPARE(f.drawn, drawn);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            QVERIFY(RectF(0, 0, area.width(), area.height()).contains(texts[i].box));
            QVERIFY(i < lengths || !texts[i].box.intersects(f.drawn));
        }
        before = texts;
    }
    QVERIFY(lengths >= 1);
}

QTEST_MAIN(TestRealLengths)
#include "tst_reallengths.moc"
