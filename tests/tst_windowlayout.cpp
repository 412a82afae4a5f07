#include "Convert.h"
#include "GeometryModel.h"
#include "WindowLayout.h"

#include <QTest>

using namespace core;
using Convert::toCore;
using Convert::toQt;

using Rects = QList<QRect>; // tab control, left button, right button, swatch

class TestWindowLayout : public QObject
{
    Q_OBJECT
private slots:
    void layout_data();
    void layout();
    void stripFollowsWhatTheTabControlTook();
    void opensWithinTheScreen_data();
    void opensWithinTheScreen();
};

void TestWindowLayout::layout_data()
{
    QTest::addColumn<QSize>("inner");
    QTest::addColumn<Rects>("expected");
    QTest::newRow("design 548x469") << QSize(548, 469)
        << Rects{{5, 5, 538, 429}, {5, 441, 70, 25}, {473, 441, 70, 25}, {80, 441, 388, 25}};
    QTest::newRow("161 wide: swatch 1") << QSize(161, 469)
        << Rects{{5, 5, 151, 429}, {5, 441, 70, 25}, {86, 441, 70, 25}, {80, 441, 1, 25}};
    QTest::newRow("160 wide: swatch 0 at 80") << QSize(160, 469)
        << Rects{{5, 5, 150, 429}, {5, 441, 70, 25}, {85, 441, 70, 25}, {80, 441, 0, 25}};
    QTest::newRow("149 wide: buttons overlap") << QSize(149, 469)
        << Rects{{5, 5, 139, 429}, {5, 441, 70, 25}, {74, 441, 70, 25}, {80, 441, 0, 25}};
    QTest::newRow("79 wide: right button on the left one") << QSize(79, 469)
        << Rects{{5, 5, 69, 429}, {5, 441, 70, 25}, {5, 441, 70, 25}, {80, 441, 0, 25}};
    QTest::newRow("40 high: tab height 0, strip at 12") << QSize(548, 40)
        << Rects{{5, 5, 538, 0}, {5, 12, 70, 25}, {473, 12, 70, 25}, {80, 12, 388, 25}};
    QTest::newRow("0x0") << QSize(0, 0)
        << Rects{{5, 5, 0, 0}, {5, 12, 70, 25}, {5, 12, 70, 25}, {80, 12, 0, 25}};
    QTest::newRow("3840x2160") << QSize(3840, 2160)
        << Rects{{5, 5, 3830, 2120}, {5, 2132, 70, 25}, {3765, 2132, 70, 25}, {80, 2132, 3680, 25}};
}

void TestWindowLayout::layout()
{
    QFETCH(QSize, inner);
    QFETCH(Rects, expected);
    GeometryModel m;
    for (int id : {WindowLayout::MainTab, WindowLayout::LeftClear, WindowLayout::RightClear, WindowLayout::Swatch})
        m.add(id, Rect(1, 2, 3, 4));
    WindowLayout::apply(inner.width(), inner.height(), m);
    const Rects actual{toQt(m.rect(WindowLayout::MainTab)), toQt(m.rect(WindowLayout::LeftClear)),
                       toQt(m.rect(WindowLayout::RightClear)), toQt(m.rect(WindowLayout::Swatch))};
    QCOMPARE(actual, expected);
}

// A tab control that keeps a height of its own: the strip goes below it.
class StubbornTab : public GeometryModel
{
public:
    void move(int id, const Rect &r) override
    {
        GeometryModel::move(id, id == WindowLayout::MainTab ? Rect(r.topLeft(), Size(r.width(), 100)) : r);
    }
};

void TestWindowLayout::stripFollowsWhatTheTabControlTook()
{
    StubbornTab m;
    for (int id : {WindowLayout::MainTab, WindowLayout::LeftClear, WindowLayout::RightClear, WindowLayout::Swatch})
        m.add(id, Rect());
    WindowLayout::apply(548, 469, m);
    QCOMPARE(m.rect(WindowLayout::LeftClear).y(), 112);
    QCOMPARE(m.rect(WindowLayout::RightClear).y(), 112);
    QCOMPARE(m.rect(WindowLayout::Swatch).y(), 112);
}

// The design opens the client area 548 × 469 at (145, 116); screens are
// given by their available area in logical pixels.
void TestWindowLayout::opensWithinTheScreen_data()
{
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("1024x768: design kept") << QRect(0, 0, 1024, 768) << QRect(145, 116, 548, 469);
    QTest::newRow("exactly room for it") << QRect(0, 0, 693, 585) << QRect(145, 116, 548, 469);
    // 585 > 512: centred in the height, (512 - 469) / 2 = 21.
    QTest::newRow("1366x768 at 1.5: 911x512") << QRect(0, 0, 911, 512) << QRect(145, 21, 548, 469);
    // 693 > 640: centred, (640 - 548) / 2 = 46; 469 > 360: cut to 360 at the top.
    QTest::newRow("1920x1080 at 3: 640x360") << QRect(0, 0, 640, 360) << QRect(46, 0, 548, 360);
    // A 150-pixel panel above: 150 + (618 - 469) / 2 = 224.
    QTest::newRow("panel at the top") << QRect(0, 150, 1024, 618) << QRect(145, 224, 548, 469);
    QTest::newRow("screen to the right") << QRect(1920, 0, 1280, 1024) << QRect(2286, 116, 548, 469);
}

void TestWindowLayout::opensWithinTheScreen()
{
    QFETCH(QRect, available);
    QFETCH(QRect, expected);
    QCOMPARE(toQt(WindowLayout::fitOnScreen(Rect(145, 116, 548, 469), toCore(available))), expected);
}

QTEST_APPLESS_MAIN(TestWindowLayout)
#include "tst_windowlayout.moc"
