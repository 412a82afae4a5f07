#include "CommandTable.h"
#include "InkLayer.h"
#include "InkPen.h"
#include "InkReplay.h"
#include "Lesson.h"
#include "PenPalette.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <random>

using namespace core;

Q_DECLARE_METATYPE(Similarity)
Q_DECLARE_METATYPE(Rect)
Q_DECLARE_METATYPE(Color)

// Stroke n runs along y = 10 + 10n from x = 10 and its colour carries its
// number; a heavy stroke (S) zigzags there in thousands of points, enough for
// the history to keep pixels instead of drawing it again.
class TestInkLayer : public QObject
{
    Q_OBJECT
private slots:
    void history_data();
    void history();
    void followsItsFigure_data();
    void followsItsFigure();
    void redrawsOnlyWhatChanged_data();
    void redrawsOnlyWhatChanged();
    void oddInputIsDroppedOrHeld_data();
    void oddInputIsDroppedOrHeld();
    void smallResizesKeepTheImage_data();
    void smallResizesKeepTheImage();
    void pressureWidthStaysBounded_data();
    void pressureWidthStaysBounded();
    void partialRedrawKeepsWideEnds_data();
    void partialRedrawKeepsWideEnds();
    void heavyInkReadsOnEveryGround_data();
    void heavyInkReadsOnEveryGround();
    void heavierWeightKeepsTheColourWide_data();
    void heavierWeightKeepsTheColourWide();
    void lessonTakesExtremeValues_data();
    void lessonTakesExtremeValues();
};

namespace {

constexpr int kHeavyPoints = 6000;

const Color kWhite{255, 255, 255};
const Color kRed{255, 0, 0};

Color colourOf(int n) { return Color(10 * n, 200, 100); }
int numberOf(const Stroke &s) { return redOf(s.color) / 10; }
PointF pointOn(int n, qreal x = 10) { return PointF(x, 10 + 10 * n); }
Rgba pixelAt(InkLayer &ink, QPoint p) { return ink.image().pixel(p.x(), p.y()); }

} // namespace

void TestInkLayer::history_data()
{
    // Tokens: s a stroke; S a heavy stroke; A+ B+ pointer A or B begins a stroke,
    // A B it moves on, A- B- it ends; x every stroke ends; c clear; u undo;
    // r redo; eN the eraser touches line N; . the eraser is lifted.
    QTest::addColumn<QString>("script");
    QTest::addColumn<QList<int>>("left");
    QTest::newRow("three strokes") << "s s s" << QList<int>{0, 1, 2};
    QTest::newRow("undo takes back the last") << "s s u" << QList<int>{0};
    QTest::newRow("undo then redo") << "s s u u r" << QList<int>{0};
    QTest::newRow("redo all") << "s s u u r r" << QList<int>{0, 1};
    QTest::newRow("undo past the start does nothing") << "s u u u" << QList<int>{};
    QTest::newRow("clear erases all") << "s s s c" << QList<int>{};
    QTest::newRow("undo brings a clear back") << "s s s c u" << QList<int>{0, 1, 2};
    QTest::newRow("redo clears again") << "s s s c u r" << QList<int>{};
    QTest::newRow("undo after clear-undo takes the last stroke") << "s s s c u u" << QList<int>{0, 1};
    QTest::newRow("a new stroke drops the redo") << "s s u u s r" << QList<int>{2};
    QTest::newRow("clear of nothing keeps the redo") << "s u c r" << QList<int>{0};
    QTest::newRow("eraser takes one stroke") << "s s s e1 ." << QList<int>{0, 2};
    QTest::newRow("undo puts it back in place") << "s s s e1 . u" << QList<int>{0, 1, 2};
    QTest::newRow("one gesture, two strokes, one step") << "s s s s e0 e2 . u" << QList<int>{0, 1, 2, 3};
    QTest::newRow("one gesture undone then redone") << "s s s s e3 e1 . u r" << QList<int>{0, 2};
    QTest::newRow("two gestures, two steps") << "s s s e0 . e2 . u" << QList<int>{1, 2};
    QTest::newRow("eraser takes an old stroke while the mouse draws")
        << "s A+ A e0 . A A A- u" << QList<int>{};
    QTest::newRow("eraser over a stroke being drawn leaves it") << "A+ A e0 . A A-" << QList<int>{0};
    QTest::newRow("two pointers, two strokes, two steps") << "A+ B+ A B A B- A- u" << QList<int>{1};
    QTest::newRow("undo while drawing ends the live stroke and takes it back") << "s A+ A u A A-" << QList<int>{0};
    QTest::newRow("redo while drawing ends the live stroke, which drops the redo") << "s u A+ A r" << QList<int>{1};
    QTest::newRow("a stroke without its end blocks nothing") << "s A+ A x u" << QList<int>{0};
    QTest::newRow("clear takes strokes being drawn, undo brings them") << "s A+ A c u" << QList<int>{0, 1};
    QTest::newRow("heavy: undo and redo") << "s S s u u r r" << QList<int>{0, 1, 2};
    QTest::newRow("heavy: clear and undo") << "S s S c u" << QList<int>{0, 1, 2};
    QTest::newRow("heavy: clear, undo, redo, undo") << "S s S c u r u" << QList<int>{0, 1, 2};
    QTest::newRow("heavy: erase under others, undo") << "s S s e1 . u" << QList<int>{0, 1, 2};
    QTest::newRow("heavy: erase, undo, redo") << "S s S e0 e2 . u r" << QList<int>{1};
    QTest::newRow("one gesture: light stroke below, then heavy, undo")
        << "S s s s s s s e6 e0 . u" << QList<int>{0, 1, 2, 3, 4, 5, 6};
    QTest::newRow("one gesture: heavy, then light stroke below, undo")
        << "S s s s s s s e0 e6 . u" << QList<int>{0, 1, 2, 3, 4, 5, 6};
}

// After every script the image equals the strokes drawn afresh, and each
// stroke keeps exactly the points its own pointer gave it.
void TestInkLayer::history()
{
    QFETCH(QString, script);
    QFETCH(QList<int>, left);
    InkLayer ink;
    ink.resize(Size(200, 200), 1);
    int lines = 0;
    std::map<QChar, int> lineOf; // pointer → its line
    std::map<int, int> pointsOn; // line → points given
    const auto stroke = [&](int points) {
        const int n = lines++;
        ink.begin(1000 + n, pointOn(n), 1, colourOf(n), 3);
        for (int i = 1; i < points; ++i)
            ink.extend(1000 + n, pointOn(n, 10 + 170.0 * i / points + (i % 2) * 0.7), 1);
        ink.end(1000 + n);
        pointsOn[n] = points;
    };
    for (const QString &token : script.split(' ')) {
        const QChar c = token.front();
        if (token == "s") {
            stroke(3);
        } else if (token == "S") {
            stroke(kHeavyPoints);
        } else if (c == 'A' || c == 'B') {
            const PointerId pointer = c.unicode();
            if (token.endsWith('+')) {
                lineOf[c] = lines++;
                QVERIFY(ink.begin(pointer, pointOn(lineOf[c]), 1, colourOf(lineOf[c]), 3));
                pointsOn[lineOf[c]] = 1;
            } else if (token.endsWith('-')) {
                ink.end(pointer);
            } else {
                ink.extend(pointer, pointOn(lineOf[c], 10 + 40 * pointsOn[lineOf[c]]++), 1);
            }
        } else if (token == "x") {
            ink.endAll();
        } else if (token == "c") {
            ink.clear();
        } else if (token == "u") {
            ink.undo();
        } else if (token == "r") {
            ink.redo();
        } else if (token == ".") {
            ink.endErase();
        } else {
            ink.eraseAlong(pointOn(token.mid(1).toInt()), pointOn(token.mid(1).toInt()), 2);
        }
    }
    QVERIFY(!ink.drawing());
    QList<int> actual;
    for (const Stroke *s : ink.strokes()) {
        actual << numberOf(*s);
        QCOMPARE(int(s->points.size()), pointsOn[numberOf(*s)]);
        for (const InkPoint &p : s->points)
            QCOMPARE(p.y, float(pointOn(numberOf(*s)).y()));
    }
    QCOMPARE(actual, left);
    for (int n = 0; n < lines; ++n)
        QCOMPARE(alphaOf(pixelAt(ink, QPoint(10, 10 + 10 * n))) > 0, left.contains(n));
    QCOMPARE(ink.image(), freshImage(ink));
}

void TestInkLayer::followsItsFigure_data()
{
    // A 3 px stroke from the figure's centre one radius to the right, drawn at
    // one frame and shown at another; `middle` is where the new frame puts its middle.
    QTest::addColumn<Similarity>("drawnAt");
    QTest::addColumn<Similarity>("shownAt");
    QTest::addColumn<QPoint>("middle");
    QTest::addColumn<int>("halfWidth"); // fully inked pixels below the line's middle
    QTest::newRow("figure grows and moves: 3 px line becomes 9") << Similarity{{100, 100}, 50}
                                                                 << Similarity{{300, 200}, 150} << QPoint(375, 200) << 3;
    QTest::newRow("figure shrinks: 3 px line becomes 2") << Similarity{{300, 200}, 150} << Similarity{{60, 40}, 100}
                                                         << QPoint(110, 40) << 0;
    QTest::newRow("same frame: place and width kept") << Similarity{{10, 20}, 50} << Similarity{{10, 20}, 50}
                                                      << QPoint(35, 20) << 0;
}

void TestInkLayer::followsItsFigure()
{
    QFETCH(Similarity, drawnAt);
    QFETCH(Similarity, shownAt);
    QFETCH(QPoint, middle);
    QFETCH(int, halfWidth);
    InkLayer ink;
    ink.resize(Size(500, 400), 1);
    ink.setFrame(drawnAt);
    const PointF centre = drawnAt.map({0, 0});
    ink.begin(1, centre, 1, kWhite, 3);
    ink.extend(1, drawnAt.map({1, 0}), 1);
    ink.end(1);
    QCOMPARE(ink.strokes()[0]->points[1].pos(), PointF(1, 0));

    // A collapsed figure shows nothing and takes nothing; the strokes wait.
    ink.setFrame(Similarity{{10, 10}, 0});
    QCOMPARE(alphaOf(pixelAt(ink, middle)), 0);
    QVERIFY(!ink.begin(2, {20, 20}, 1, kWhite, 3));
    QCOMPARE(int(ink.strokes().size()), 1);

    ink.setFrame(shownAt);
    QCOMPARE(pixelAt(ink, middle), kWhite.rgba());
    QCOMPARE(pixelAt(ink, middle + QPoint(0, halfWidth)), kWhite.rgba());
    QCOMPARE(alphaOf(pixelAt(ink, middle + QPoint(0, halfWidth + 3))), 0);
}

void TestInkLayer::redrawsOnlyWhatChanged_data()
{
    // On a page ruled with 150 strokes, one operation near the top left.
    QTest::addColumn<QString>("operation");
    QTest::addColumn<Rect>("within");
    QTest::newRow("undo of the newest stroke") << "undo" << Rect(0, 0, 128, 128);
    QTest::newRow("its redo") << "redo" << Rect(0, 0, 128, 128);
    QTest::newRow("an eraser jump of 40,000 px across one line") << "jump" << Rect(0, 0, 1024, 128);
}

// A step redraws the tiles its strokes touch, not the page.
void TestInkLayer::redrawsOnlyWhatChanged()
{
    QFETCH(QString, operation);
    QFETCH(Rect, within);
    InkLayer ink;
    ink.resize(Size(1000, 1000), 1);
    for (int n = 149; n >= 0; --n) {
        ink.begin(1, pointOn(n % 50, 20 * (n / 50) + 400), 1, kWhite, 3);
        ink.extend(1, pointOn(n % 50, 20 * (n / 50) + 410), 1);
        ink.end(1);
    }
    ink.begin(1, {20, 20}, 1, kRed, 3);
    ink.end(1);
    ink.image();
    ink.takeDirty();
    if (operation == "undo") {
        QVERIFY(ink.undo());
    } else if (operation == "redo") {
        ink.undo();
        ink.takeDirty();
        QVERIFY(ink.redo());
    } else {
        QVERIFY(ink.eraseAlong({-20000, 20}, {20000, 20}, 2));
    }
    const Rect dirty = ink.takeDirty();
    QVERIFY2(!dirty.isEmpty() && within.contains(dirty), qPrintable(QString("redrew %1,%2 %3x%4")
                                                                         .arg(dirty.x())
                                                                         .arg(dirty.y())
                                                                         .arg(dirty.width())
                                                                         .arg(dirty.height())));
    QCOMPARE(ink.image(), freshImage(ink));
}

void TestInkLayer::oddInputIsDroppedOrHeld_data()
{
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    QTest::addColumn<QPointF>("move");
    QTest::addColumn<double>("factor");
    QTest::addColumn<int>("points");
    QTest::newRow("NaN position dropped") << QPointF(nan, 20) << 1.0 << 1;
    QTest::newRow("infinite position dropped") << QPointF(20, -inf) << 1.0 << 1;
    QTest::newRow("huge position held") << QPointF(1e300, -1e300) << 1.0 << 2;
    QTest::newRow("NaN width factor: normal width") << QPointF(30, 20) << nan << 2;
    QTest::newRow("huge width factor: thickest") << QPointF(30, 20) << 1e9 << 2;
}

// Nothing non-finite is stored, and drawing what is stored stays bounded.
void TestInkLayer::oddInputIsDroppedOrHeld()
{
    QFETCH(QPointF, move);
    QFETCH(double, factor);
    QFETCH(int, points);
    InkLayer ink;
    ink.resize(Size(100, 100), 1);
    ink.begin(1, {20, 20}, 1, kWhite, 3);
    ink.extend(1, PointF(move.x(), move.y()), factor);
    ink.end(1);
    QCOMPARE(int(ink.strokes()[0]->points.size()), points);
    for (const InkPoint &p : ink.strokes()[0]->points) {
        QVERIFY(std::isfinite(p.x) && std::isfinite(p.y) && std::abs(p.x) <= 1e5 && std::abs(p.y) <= 1e5);
        QVERIFY(p.widthFactor >= 0.5f && p.widthFactor <= 1.75f);
    }
    QCOMPARE(pixelAt(ink, QPoint(20, 20)), kWhite.rgba());
    QVERIFY(ink.undo());
    QVERIFY(ink.strokes().empty());
}

void TestInkLayer::smallResizesKeepTheImage_data()
{
    QTest::addColumn<QSize>("to");
    QTest::addColumn<bool>("kept");
    QTest::newRow("one pixel wider: kept") << QSize(1001, 800) << true;
    QTest::newRow("a little smaller: kept") << QSize(900, 700) << true;
    QTest::newRow("much larger: new image") << QSize(2000, 1500) << false;
    QTest::newRow("far smaller: new image") << QSize(20, 20) << false;
}

// Dragging a window border resizes on every pixel; only real growth, or a large
// shrink, may pay for a new image and a replay.
void TestInkLayer::smallResizesKeepTheImage()
{
    QFETCH(QSize, to);
    QFETCH(bool, kept);
    InkLayer ink;
    ink.resize(Size(1000, 800), 1);
    ink.begin(1, {5, 5}, 1, kRed, 3);
    ink.extend(1, {15, 5}, 1);
    ink.end(1);
    // A new image is made while the old one still holds its pixels.
    const Rgba *before = ink.image().data();
    ink.resize(Size(to.width(), to.height()), 1);
    QCOMPARE(ink.image().data() == before, kept);
    QVERIFY(ink.image().width() >= to.width() && ink.image().height() >= to.height());
    QCOMPARE(pixelAt(ink, QPoint(10, 5)), kRed.rgba());
}

void TestInkLayer::pressureWidthStaysBounded_data()
{
    QTest::addColumn<qreal>("pressure");
    QTest::addColumn<qreal>("factor");
    QTest::newRow("no pressure: thinnest") << 0.0 << 0.5;
    QTest::newRow("half pressure: normal") << 0.5 << 1.0;
    QTest::newRow("full pressure: thickest") << 1.0 << 1.75;
    QTest::newRow("out of range stays bounded") << 7.0 << 1.75;
    QTest::newRow("NaN: normal") << std::numeric_limits<qreal>::quiet_NaN() << 1.0;
}

void TestInkLayer::pressureWidthStaysBounded()
{
    QFETCH(qreal, pressure);
    QFETCH(qreal, factor);
    QCOMPARE(InkLayer::widthFactorForPressure(pressure), factor);
}

void TestInkLayer::partialRedrawKeepsWideEnds_data()
{
    // A 9 px pen stroke, light (half width 2.25 px) at (58, 30) and at full
    // pressure (7.875 px) from the next point on, away from x = 64: the first
    // segment's wide end reaches across that tile edge, and is drawn whole.
    // A tap in the next tile, then taken away, draws that tile again.
    QTest::addColumn<int>("leadIn"); // full-pressure points on y = 60 before, the first past the edge
    QTest::addColumn<QList<QPointF>>("jump");
    QTest::addColumn<bool>("erase");
    QTest::newRow("one segment, tap undone") << 0 << QList<QPointF>{{58, 30}, {20, 30}} << false;
    QTest::newRow("one segment, tap erased") << 0 << QList<QPointF>{{58, 30}, {20, 30}} << true;
    QTest::newRow("straight points skipped") << 0 << QList<QPointF>{{58, 30}, {50, 30}, {40, 30}, {20, 30}} << false;
    QTest::newRow("second run, the first reaching past the edge") << 40 << QList<QPointF>{{58, 30}, {20, 30}} << false;
}

void TestInkLayer::partialRedrawKeepsWideEnds()
{
    QFETCH(int, leadIn);
    QFETCH(QList<QPointF>, jump);
    QFETCH(bool, erase);
    const qreal light = InkLayer::widthFactorForPressure(0), full = InkLayer::widthFactorForPressure(1);
    const Color white(255, 255, 255), red(255, 0, 0);
    InkLayer ink;
    ink.resize(Size(200, 100), 1);
    const auto add = [&](QPointF p, qreal factor) {
        if (ink.drawing(1))
            ink.extend(1, {p.x(), p.y()}, factor);
        else
            ink.begin(1, {p.x(), p.y()}, factor, white, 9);
    };
    for (int i = 0; i < leadIn; ++i)
        add({i == 0 ? 90.0 : 20.0 + 20 * (i % 2), 60}, full);
    add(jump.front(), light);
    for (qsizetype i = 1; i < jump.size(); ++i)
        add(jump[i], full);
    ink.end(1);
    const PointF tap(100, 30);
    ink.begin(2, tap, 1, red, 3);
    ink.end(2);
    ink.image();
    QVERIFY(erase ? ink.eraseAlong(tap, tap, 2) : ink.undo());
    QCOMPARE(int(ink.strokes().size()), 1);
    // 6.5 px from (58, 30), inside the wide end's solid core.
    QCOMPARE(pixelAt(ink, QPoint(64, 30)), white.rgba());
    QVERIFY(ink.image() == freshImage(ink));
}

// WCAG 2: (L1 + 0.05) / (L2 + 0.05) of the relative luminances of sRGB.
double contrast(const Color &a, const Color &b)
{
    const auto lin = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    const auto l = [&](const Color &c) { return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF()); };
    return (std::max(l(a), l(b)) + 0.05) / (std::min(l(a), l(b)) + 0.05);
}

void TestInkLayer::heavyInkReadsOnEveryGround_data()
{
    QTest::addColumn<Color>("pen");
    QTest::addColumn<Color>("ground");
    const std::pair<const char *, Color> grounds[] = {{"board", Color(0, 128, 0)}, {"page 1 blue disc", Color(0, 0, 255)},
                                                      {"page 2 pale yellow", Color(255, 255, 192)},
                                                      {"page 2 pale green", Color(128, 255, 128)}};
    for (const PenPalette::Pen &pen : PenPalette::pens())
        for (const auto &[name, colour] : grounds)
            QTest::addRow("%s pen on %s", pen.colour.name().c_str(), name) << pen.colour << colour;
}

// A 6 px stroke, the pen at weight ×2, across the ground: some pixel across it
// (its rim or its core) stands out from the ground by at least 3 : 1.
void TestInkLayer::heavyInkReadsOnEveryGround()
{
    QFETCH(Color, pen);
    QFETCH(Color, ground);
    Lesson lesson;
    lesson.setWeight(*LineWeight::fromFactor(2));
    lesson.setPen(1, pen);
    lesson.ink().resize(1, Size(40, 40), 1);
    lesson.ink().place(1, Rect(0, 0, 40, 40));
    lesson.ink().begin(1, 1, {5, 20}, 1);
    lesson.ink().extend(1, 1, {35, 20}, 1);
    lesson.ink().end(1, 1);
    QVERIFY(std::abs(lesson.ink(1).strokes()[0]->width * lesson.ink(1).frame().scale - 2 * InkPen::kWidthAt96DpiPx) < 1e-4);
    double best = 1;
    for (int y = 14; y <= 26; ++y) {
        const Rgba p = lesson.ink().canvas(1).image().pixel(20, y);
        const auto over = [&](int ink, int under) { return ink + under * (255 - alphaOf(p)) / 255; };
        best = std::max(best, contrast(Color(over(redOf(p), ground.red()), over(greenOf(p), ground.green()),
                                             over(blueOf(p), ground.blue())), ground));
    }
    QVERIFY2(best >= 3, qPrintable(QString::number(best)));
}

void TestInkLayer::heavierWeightKeepsTheColourWide_data()
{
    // A stroke at the design's 3 px, its middle on a row of pixel centres,
    // between two rows and a quarter off; on a plain and a doubled screen, and
    // at a light pen's half width.
    QTest::addColumn<Color>("pen");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<double>("factor");
    for (const PenPalette::Pen &pen : {PenPalette::pens()[0], PenPalette::pens()[3]})
        for (const double y : {20.5, 20.0, 20.25})
            for (const double ratio : {1.0, 2.0})
                QTest::addRow("%s at y %.2f, ratio %.0f", pen.colour.name().c_str(), y, ratio)
                    << pen.colour << y << ratio << 1.0;
    QTest::newRow("light pen") << kWhite << 20.5 << 1.0 << InkLayer::widthFactorForPressure(0);
}

// Raising the weight puts a rim round the ink already drawn, never into it.
void TestInkLayer::heavierWeightKeepsTheColourWide()
{
    QFETCH(Color, pen);
    QFETCH(double, y);
    QFETCH(double, ratio);
    QFETCH(double, factor);
    InkLayer ink;
    ink.resize(Size(40, 40), ratio);
    ink.begin(1, {5, y}, factor, pen, InkPen::kWidthAt96DpiPx);
    ink.extend(1, {35, y}, factor);
    ink.end(1);
    const auto across = [&](auto counts) {
        int n = 0;
        for (int py = 0; py < ink.image().height(); ++py)
            n += counts(ink.image().pixel(int(20 * ratio), py));
        return n;
    };
    const auto own = [&](Rgba p) { return p == pen.rgba(); };
    const int before = across(own);
    QVERIFY(before > 0);
    ink.setEdged(true);
    QVERIFY2(across(own) >= before, qPrintable(QString("%1 px of its colour, %2 before").arg(across(own)).arg(before)));
    QVERIFY(across([](Rgba p) { return alphaOf(p) > 0; }) > across(own));
}

void TestInkLayer::lessonTakesExtremeValues_data()
{
    // Numbers as a page's script or a message may send them; each row runs
    // commands picked at random, the table's rows among them, with numbers from
    // its list or from all of int.
    constexpr int lo = std::numeric_limits<int>::min(), hi = std::numeric_limits<int>::max();
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<uint>("seed");
    QTest::newRow("the ends of int") << QList<int>{lo, hi, lo + 1, hi - 1} << 1u;
    QTest::newRow("a step, then the end") << QList<int>{1, hi, -1, lo, 0} << 2u;
    QTest::newRow("at the ranges' ends") << QList<int>{-1, 0, 1, 2, 3, 31, 32, 33, 64, 65, 359, 360, 361} << 3u;
    QTest::newRow("any int") << QList<int>{} << 4u;
}

// The lesson stays within its rules: each number held to its range, a step of
// the sectors as if worked without limits and then held within 0..N.
void TestInkLayer::lessonTakesExtremeValues()
{
    QFETCH(QList<int>, numbers);
    QFETCH(uint, seed);
    constexpr int kCommands = 4000, kCheckEvery = 200;
    constexpr double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const double reals[] = {nan, inf, -inf, 0, -1, 1e300, 2, 0.5};
    std::mt19937 random(seed);
    const auto number = [&] { return numbers.isEmpty() ? int(random()) : numbers[qsizetype(random() % numbers.size())]; };
    // Mostly numbers as a pointer gives them, sometimes anything.
    const auto real = [&] { return random() % 4 ? double(number()) : reals[random() % std::size(reals)]; };
    Lesson lesson;
    LessonInk &ink = lesson.ink();
    for (int p = 0; p < lesson.pageCount(); ++p) {
        ink.resize(p, Size(300, 200), 1);
        ink.place(p, Rect(10, 10, 280, 180));
    }
    for (int i = 1; i <= kCommands; ++i) {
        const int n = number();
        const int page = random() % 2 ? n : int(random() % unsigned(lesson.pageCount()));
        const PointerId pointer = random() % 2 ? PointerId(n) : random() % 3;
        switch (random() % 25) {
        case 0: lesson.showPage(n); break;
        case 1: lesson.setValue(page, n); break;
        case 2: {
            // The page in view steps when it has steps of its own, else the sectors' page.
            const int stepped = lesson.stepPage();
            const std::int64_t before = lesson.step(stepped);
            lesson.stepSectors(n);
            if (!(lesson.handMode() && stepped == lesson.animatedPage()))
                QCOMPARE(std::int64_t(lesson.step(stepped)), std::clamp<std::int64_t>(before + n, 0, lesson.stepCount(stepped)));
            break;
        }
        case 3: lesson.stepLesson(n); break;
        case 4: lesson.setRadiusCm(n); break;
        case 5:
            if (const auto weight = LineWeight::fromFactor(n % 4))
                lesson.setWeight(*weight);
            break;
        case 6: lesson.pressStart(); break;
        case 7: lesson.tick(); break;
        case 8: lesson.toggleAids(); break;
        case 9: lesson.setPen(page, Color::fromRgba(Rgba(n))); break;
        case 10: lesson.returnAllSectors(); break;
        case 11: lesson.toggleGrid(); break;
        case 12:
            if (random() % 8 == 0)
                ink.resize(page, Size(number(), number()), real(), real());
            break;
        case 13: ink.place(page, Rect(number(), number(), number(), number())); break;
        case 14:
        case 15: ink.begin(page, pointer, {real(), real()}, real()); break;
        case 16:
        case 17: ink.extend(page, pointer, {real(), real()}, real()); break;
        case 18: ink.end(page, pointer); break;
        case 19: ink.erase(page, {real(), real()}, {real(), real()}); break;
        case 20: ink.dropStillAt(page, {real(), real()}, real()); break;
        case 21: random() % 2 ? lesson.undo() : lesson.redo(); break;
        case 22:
            if (random() % 2)
                lesson.clearInk();
            else
                ink.endErase(page);
            break;
        case 23: {
            const auto &rows = CommandTable::rows();
            CommandTable::run(lesson, rows[random() % rows.size()].id, n);
            break;
        }
        default: ink.endAll(page); break;
        }
        QVERIFY(lesson.has(lesson.page()));
        for (int p = 0; p < lesson.pageCount(); ++p)
            if (const auto &range = lesson.row(p).range)
                QVERIFY(lesson.value(p) >= range->min && lesson.value(p) <= range->max);
        QVERIFY(lesson.step() >= 0 && lesson.step() <= lesson.sectors());
        QVERIFY(lesson.formulaLines() >= 0 && lesson.formulaLines() <= Lesson::kFormulaLines);
        QVERIFY(RadiusCm::offers(lesson.radiusCm()));
        if (i % kCheckEvery != 0)
            continue;
        // Ink stays finite and its pixels within what a screen could show.
        for (int p = 0; p < lesson.pageCount(); ++p) {
            const PixelBuffer &image = ink.canvas(p).image();
            QVERIFY(image.width() <= InkCanvas::kLargestDevicePx && image.height() <= InkCanvas::kLargestDevicePx);
            for (const Stroke *stroke : lesson.ink(p).strokes())
                for (const InkPoint &point : stroke->points)
                    QVERIFY(std::isfinite(point.x) && std::isfinite(point.y) && std::isfinite(point.widthFactor));
        }
    }
}

QTEST_APPLESS_MAIN(TestInkLayer)
#include "tst_inklayer.moc"
