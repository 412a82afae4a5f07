#include "PictureBox.h"
#include "ScrollBar.h"
#include "TabControl.h"
#include "Timer.h"
#include "WindowFixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

// The run state of page 2, driven through the real handlers; ticks are
// delivered by the test, and only while the timer is on, as the timer would.
class TestAnimation : public QObject
{
    Q_OBJECT
private slots:
    void stateTable_data();
    void stateTable();
    void fullRunRepaintsOncePerTick();

private:
    static void play(Tamsel &w, const QString &events);
};

// b: button, t: tick, s: scroll bar change, p: page away and back, r: resize.
void TestAnimation::play(Tamsel &w, const QString &events)
{
    for (QChar e : events) {
        switch (e.toLatin1()) {
        case 'b':
            w.ccButton->click();
            break;
        case 't':
            QVERIFY2(w.MainTimer->Enabled(), "a tick only comes while the timer runs");
            QVERIFY2(w.lesson().step() < 2 * w.ccScroll->value(), "no tick starts from N");
            w.MainTimer_Timer();
            break;
        case 's':
            w.ccScroll->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            break;
        case 'p':
            w.MainTab->setTab(0);
            w.MainTab->setTab(2);
            break;
        case 'r':
            w.resize(w.width() + 1, w.height());
            break;
        }
    }
}

void TestAnimation::stateTable_data()
{
    QTest::addColumn<QString>("events");
    QTest::addColumn<bool>("running");
    QTest::addColumn<int>("step");
    const QString run8 = "b" + QString(8, 't');
    QTest::newRow("at rest") << "" << false << 0;
    QTest::newRow("button starts") << "b" << true << 0;
    QTest::newRow("press before the first tick returns to rest") << "bb" << false << 0;
    QTest::newRow("tick moves one sector") << "bt" << true << 1;
    QTest::newRow("button pauses") << "btb" << false << 1;
    QTest::newRow("button resumes from the same sector") << "btbbt" << true << 2;
    QTest::newRow("eighth tick finishes") << run8 << false << 8;
    QTest::newRow("button on finished restarts from 0") << run8 + "b" << true << 0;
    QTest::newRow("restart then tick") << run8 + "bt" << true << 1;
    QTest::newRow("scroll change during run resets") << "btts" << false << 0;
    QTest::newRow("scroll change when paused resets") << "bttbs" << false << 0;
    QTest::newRow("page change pauses and keeps step") << "bttp" << false << 2;
    QTest::newRow("resize pauses and keeps step") << "bttr" << false << 2;
    QTest::newRow("button resumes after page change") << "bttpbt" << true << 3;
    QTest::newRow("page change at rest stays at rest") << "bp" << false << 0;
}

void TestAnimation::stateTable()
{
    QFETCH(QString, events);
    QFETCH(bool, running);
    QFETCH(int, step);
    Tamsel w;
    QVERIFY(showWindow(w));
    w.MainTab->setTab(2);
    play(w, events);
    QCOMPARE(w.MainTimer->Enabled(), running);
    QCOMPARE(w.lesson().step(), step);
    QCOMPARE(w.ccButton->text(), QStringLiteral("開始"));
    QCOMPARE(w.ccLabel->text(), QString::number(2 * w.ccScroll->value()));
}

void TestAnimation::fullRunRepaintsOncePerTick()
{
    Tamsel w;
    QVERIFY(showWindow(w));
    w.MainTab->setTab(2);
    w.ccScroll->setValue(32);
    QCOMPARE(w.ccLabel->text(), QStringLiteral("64"));
    w.ccButton->click();
    PaintCounter paints;
    int ticks = 0;
    while (w.MainTimer->Enabled() && ticks < 100) {
        w.MainTimer_Timer();
        ++ticks;
    }
    QCOMPARE(ticks, 64);
    QCOMPARE(paints.of(w.ccPic), 64);
    QCOMPARE(w.lesson().step(), 64);
    QVERIFY(!w.MainTimer->Enabled());
}

QTEST_MAIN(TestAnimation)
#include "tst_animation.moc"
