#include "Convert.h"
#include "PictureBox.h"
#include "Scriba.h"
#include "Strokes.h"
#include "WindowFixture.h"

#include <QTest>

// At a device pixel ratio of 2 the layout stays the same in logical pixels while
// the figures and the ink are drawn at device resolution.
class TestHighDpi : public QObject
{
    Q_OBJECT
private slots:
    void layoutInLogicalPixelsInkAtDevicePixels();
};

void TestHighDpi::layoutInLogicalPixelsInkAtDevicePixels()
{
    Tamsel w;
    // The offscreen screen is 400 × 300 logical pixels at this ratio, too
    // small for the window to open at its design size.
    w.resize(548, 469);
    QVERIFY(showWindow(w));
    QCOMPARE(w.devicePixelRatioF(), 2.0);
    QCOMPARE(w.PolyPic->geometry(), QRect(5, 25, 528, 372));
    QCOMPARE(w.Scriba[0]->lastRedrawRect(), QRect(0, 0, 524, 368));

    mouseStroke(w.Scriba[0], {{10, 10}, {200, 10}});
    QCOMPARE(w.Scriba[0]->ink().devicePixelRatio(), 2.0);
    const QImage ink = Convert::wrap(w.Scriba[0]->canvas().image());
    QVERIFY(ink.width() >= 2 * 524);
    QCOMPARE(ink.pixelColor(200, 20), QColor(Qt::white)); // logical (100, 10)

    // The polygon's horizontal radius is one device-sharp line, not a blur.
    const QImage figure = w.PolyPic->grab().toImage();
    QCOMPARE(figure.devicePixelRatio(), 2.0);
    const int y = 2 * (1 + 185);
    QCOMPARE(figure.pixelColor(2 * (1 + 300), y + 1), QColor(255, 0, 0));
    QCOMPARE(figure.pixelColor(2 * (1 + 300), y - 2), Tamsel::kFigureBackground);
}

int main(int argc, char *argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestHighDpi test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_highdpi.moc"
