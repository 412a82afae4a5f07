#include "InkLayer.h"

#include <QTest>

// Strokes are numbered as drawn; stroke n is a horizontal line at y = 10 + 10n
// whose colour carries its number.
class TestInkLayer : public QObject
{
    Q_OBJECT
private slots:
    void history_data();
    void history();
    void smallResizesKeepTheImage_data();
    void smallResizesKeepTheImage();
    void pressureWidthStaysBounded_data();
    void pressureWidthStaysBounded();
};

namespace {

QColor colourOf(int n) { return QColor::fromHsv(n * 30, 255, 255); }
QPointF pointOn(int n) { return QPointF(50, 10 + 10 * n); }

} // namespace

void TestInkLayer::history_data()
{
    // s stroke, c clear, u undo, r redo, 0-9 eraser touches that stroke, . eraser lifted
    QTest::addColumn<QString>("script");
    QTest::addColumn<QList<int>>("left");
    QTest::newRow("three strokes") << "sss" << QList<int>{0, 1, 2};
    QTest::newRow("undo takes back the last") << "ssu" << QList<int>{0};
    QTest::newRow("undo then redo") << "ssuur" << QList<int>{0};
    QTest::newRow("redo all") << "ssuurr" << QList<int>{0, 1};
    QTest::newRow("undo past the start does nothing") << "suuu" << QList<int>{};
    QTest::newRow("clear erases all") << "sssc" << QList<int>{};
    QTest::newRow("undo brings a clear back") << "ssscu" << QList<int>{0, 1, 2};
    QTest::newRow("redo clears again") << "ssscur" << QList<int>{};
    QTest::newRow("undo after clear-undo takes the last stroke") << "ssscuu" << QList<int>{0, 1};
    QTest::newRow("a new stroke drops the redo") << "ssuusr" << QList<int>{2};
    QTest::newRow("clear of nothing keeps the redo") << "sucr" << QList<int>{0};
    QTest::newRow("eraser takes one stroke") << "sss1." << QList<int>{0, 2};
    QTest::newRow("undo puts it back in place") << "sss1.u" << QList<int>{0, 1, 2};
    QTest::newRow("one gesture, two strokes, one step") << "ssss02.u" << QList<int>{0, 1, 2, 3};
    QTest::newRow("one gesture undone then redone") << "ssss31.ur" << QList<int>{0, 2};
    QTest::newRow("two gestures, two steps") << "sss0.2.u" << QList<int>{1, 2};
}

void TestInkLayer::history()
{
    QFETCH(QString, script);
    QFETCH(QList<int>, left);
    InkLayer ink;
    ink.resize(QSize(100, 200), 1);
    int drawn = 0;
    for (QChar ch : script) {
        const char c = ch.toLatin1();
        if (c == 's') {
            ink.begin({QPointF(10, 10 + 10 * drawn)}, colourOf(drawn), 3);
            ink.extend({QPointF(90, 10 + 10 * drawn)});
            ink.end();
            ++drawn;
        } else if (c == 'c') {
            ink.clear();
        } else if (c == 'u') {
            ink.undo();
        } else if (c == 'r') {
            ink.redo();
        } else if (c == '.') {
            ink.endErase();
        } else {
            QVERIFY(ink.eraseAlong(pointOn(c - '0'), pointOn(c - '0'), 2));
        }
    }
    QList<int> actual;
    for (const Stroke &s : ink.strokes())
        actual << s.color.hue() / 30;
    QCOMPARE(actual, left);
    // The image shows exactly the strokes that are left.
    for (int n = 0; n < drawn; ++n)
        QCOMPARE(ink.image().pixelColor(pointOn(n).toPoint()).alpha() > 0, left.contains(n));
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
    ink.resize(QSize(1000, 800), 1);
    ink.begin({QPointF(5, 5)}, Qt::red, 3);
    ink.extend({QPointF(15, 5)});
    ink.end();
    const qint64 before = ink.image().cacheKey();
    ink.resize(to, 1);
    QCOMPARE(ink.image().cacheKey() == before, kept);
    QVERIFY(ink.image().width() >= to.width() && ink.image().height() >= to.height());
    QCOMPARE(ink.image().pixelColor(10, 5), QColor(Qt::red));
}

void TestInkLayer::pressureWidthStaysBounded_data()
{
    QTest::addColumn<qreal>("pressure");
    QTest::addColumn<qreal>("factor");
    QTest::newRow("no pressure: thinnest") << 0.0 << 0.5;
    QTest::newRow("half pressure: normal") << 0.5 << 1.0;
    QTest::newRow("full pressure: thickest") << 1.0 << 1.75;
    QTest::newRow("out of range stays bounded") << 7.0 << 1.75;
}

void TestInkLayer::pressureWidthStaysBounded()
{
    QFETCH(qreal, pressure);
    QFETCH(qreal, factor);
    QCOMPARE(InkLayer::widthFactorForPressure(pressure), factor);
}

QTEST_APPLESS_MAIN(TestInkLayer)
#include "tst_inklayer.moc"
