#include "Convert.h"
#include "GeometryModel.h"
#include "PageLayout.h"
#include "Twips.h"

#include <QTest>

using namespace core;
using namespace core::PageLayout;
using Convert::toQt;
using Rects = QList<QRect>; // picture, scroll bar, button, label, overlay (empty when absent)

namespace {

// Design sizes in pixels: scroll bars, labels and the button keep their own.
GeometryModel designPage(int page)
{
    GeometryModel m;
    m.add(Picture, Rect(264, 33, 273, 361));
    m.add(Overlay, Rect(16, 33, 241, 353));
    if (page < 3) {
        m.add(Scroll, Rect(8, 401, 473, 25));
        m.add(Label, Rect(488, 401, 49, 25));
    }
    if (page == 2)
        m.add(Button, Rect(408, 401, 65, 25));
    return m;
}

Rects rectsOf(const GeometryModel &m)
{
    Rects out;
    for (int id : {Picture, Scroll, Button, Label, Overlay})
        out << (m.exists(id) ? toQt(m.rect(id)) : QRect());
    return out;
}

} // namespace

class TestPageLayout : public QObject
{
    Q_OBJECT
private slots:
    void layout_data();
    void layout();
    void otherDpiKeepsTheRowFlush_data();
    void otherDpiKeepsTheRowFlush();
};

void TestPageLayout::layout_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QSize>("tab");
    QTest::addColumn<Rects>("expected");
    const QSize design(538, 429);
    QTest::newRow("design, page 0") << 0 << design
        << Rects{{5, 25, 528, 372}, {5, 399, 477, 25}, {}, {484, 399, 49, 25}, {7, 27, 524, 368}};
    QTest::newRow("design, page 1") << 1 << design
        << Rects{{5, 25, 528, 372}, {5, 399, 477, 25}, {}, {484, 399, 49, 25}, {7, 27, 524, 368}};
    QTest::newRow("design, page 2") << 2 << design
        << Rects{{5, 25, 528, 372}, {5, 399, 410, 25}, {417, 399, 65, 25}, {484, 399, 49, 25}, {7, 27, 524, 368}};
    QTest::newRow("design, page 3") << 3 << design << Rects{{5, 25, 528, 397}, {}, {}, {}, {7, 27, 524, 393}};
    QTest::newRow("tab 0x0, page 0") << 0 << QSize(0, 0)
        << Rects{{5, 25, 0, 0}, {5, 27, 0, 25}, {}, {7, 27, 49, 25}, {7, 27, 0, 0}};
    QTest::newRow("tab 0x0, page 2") << 2 << QSize(0, 0)
        << Rects{{5, 25, 0, 0}, {5, 27, 0, 25}, {7, 27, 65, 25}, {74, 27, 49, 25}, {7, 27, 0, 0}};
    QTest::newRow("narrow: label past the picture") << 0 << QSize(50, 429)
        << Rects{{5, 25, 40, 372}, {5, 399, 0, 25}, {}, {7, 399, 49, 25}, {7, 27, 36, 368}};
    QTest::newRow("3840x2160 window, page 0") << 0 << QSize(3830, 2120)
        << Rects{{5, 25, 3820, 2063}, {5, 2090, 3769, 25}, {}, {3776, 2090, 49, 25}, {7, 27, 3816, 2059}};
    QTest::newRow("3840x2160 window, page 3") << 3 << QSize(3830, 2120)
        << Rects{{5, 25, 3820, 2088}, {}, {}, {}, {7, 27, 3816, 2084}};
}

void TestPageLayout::layout()
{
    QFETCH(int, page);
    QFETCH(QSize, tab);
    QFETCH(Rects, expected);
    GeometryModel m = designPage(page);
    apply({float(tab.width()), float(tab.height()), 20}, Twips(), m);
    QCOMPARE(rectsOf(m), expected);
}

void TestPageLayout::otherDpiKeepsTheRowFlush_data()
{
    QTest::addColumn<double>("dpiX");
    QTest::addColumn<double>("dpiY");
    QTest::newRow("120x144 dpi") << 120.0 << 144.0;
    QTest::newRow("72x96 dpi") << 72.0 << 96.0;
}

// Whatever the factors, the label ends at the picture's right edge and the
// overlay keeps its 2-pixel band: an axis mix-up breaks one of these.
void TestPageLayout::otherDpiKeepsTheRowFlush()
{
    QFETCH(double, dpiX);
    QFETCH(double, dpiY);
    GeometryModel m = designPage(2);
    apply({538, 429, 20}, Twips::fromDpi(dpiX, dpiY), m);
    const QRect pic = toQt(m.rect(Picture)), label = toQt(m.rect(Label)), overlay = toQt(m.rect(Overlay));
    QCOMPARE(label.x() + label.width(), pic.x() + pic.width());
    QCOMPARE(m.rect(Scroll).y(), pic.y() + pic.height() + 2);
    QCOMPARE(overlay, pic.adjusted(2, 2, -2, -2));
}

QTEST_APPLESS_MAIN(TestPageLayout)
#include "tst_pagelayout.moc"
