#include "PictureBox.h"
#include "Scriba.h"
#include "ScrollBar.h"
#include "Strokes.h"
#include "TabControl.h"
#include "Timer.h"
#include "WindowFixture.h"

#include <QFile>
#include <QPushButton>
#include <QTest>

// A window left alone must cost nothing: no paints, no timers. Long use must
// not leave memory behind.
class TestIdle : public QObject
{
    Q_OBJECT
private slots:
    void idleAfterStartAndAfterARun_data();
    void idleAfterStartAndAfterARun();
    void memoryComesBackAfterClears();
};

namespace {

constexpr int kIdleMs = 2000;
#if defined(__SANITIZE_ADDRESS__)
// The sanitizer holds freed memory in quarantine; leak checking at exit speaks instead.
constexpr bool kResidentSizeTellsLeaks = false;
#else
constexpr bool kResidentSizeTellsLeaks = true;
#endif

// Counts paints and timer wake-ups anywhere in the application.
class WakeCounter : public QObject
{
public:
    WakeCounter() { qApp->installEventFilter(this); }
    ~WakeCounter() override { qApp->removeEventFilter(this); }
    int paints = 0;
    int timers = 0;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        paints += e->type() == QEvent::Paint;
        timers += e->type() == QEvent::Timer;
        return false;
    }
};

qint64 residentKiB()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLongLong();
    return -1;
}

} // namespace

void TestIdle::idleAfterStartAndAfterARun_data()
{
    QTest::addColumn<bool>("afterRun");
    QTest::newRow("after start-up") << false;
    QTest::newRow("after a finished animation") << true;
}

void TestIdle::idleAfterStartAndAfterARun()
{
    QFETCH(bool, afterRun);
    Tamsel w;
    QVERIFY(showWindow(w));
    if (afterRun) {
        w.MainTab->setTab(2);
        w.ccButton->click();
        QTRY_VERIFY_WITH_TIMEOUT(!w.MainTimer->Enabled(), 8 * core::Lesson::kTickMs + 1000);
        QCOMPARE(w.lesson().step(), 8);
    }
    QTest::qWait(200); // the last paint of the run or of start-up settles
    WakeCounter wakes;
    QTest::qWait(kIdleMs);
    QCOMPARE(wakes.paints, 0);
    QCOMPARE(wakes.timers, 0);
}

void TestIdle::memoryComesBackAfterClears()
{
    constexpr int kTicks = 10000;
    constexpr int kStrokes = 1000;
    constexpr int kPointsPerStroke = 100;
    constexpr qint64 kAllowedGrowthKiB = 16 * 1024;

    Tamsel w;
    QVERIFY(showWindow(w));
    w.MainTab->setTab(2);
    QCoreApplication::processEvents();
    const qint64 before = residentKiB();

    for (int t = 0; t < kTicks; ++t) {
        if (!w.MainTimer->Enabled())
            w.ccButton->click();
        w.MainTimer_Timer();
    }
    for (int s = 0; s < kStrokes; ++s) {
        w.MainTab->setTab(s % w.pageCount());
        QList<QPoint> path;
        for (int p = 0; p < kPointsPerStroke; ++p)
            path << QPoint(5 + p * 4, 5 + s % 300);
        mouseStroke(w.Scriba[w.MainTab->Tab()], path);
    }
    const qint64 full = residentKiB();
    for (int page = 0; page < w.pageCount(); ++page) {
        w.MainTab->setTab(page);
        w.ClsButton[0]->click();
        QVERIFY(w.Scriba[page]->ink().strokes().empty());
    }
    QCoreApplication::processEvents();
    const qint64 after = residentKiB();
    qInfo("resident size: %lld KiB at start, %lld KiB with %d points, %lld KiB after clears", before, full,
          kStrokes * kPointsPerStroke, after);
    // The cleared strokes stay undoable, which is a few MiB at this count.
    if (before < 0)
        QSKIP("no /proc/self/status here to read the resident size from");
    if (kResidentSizeTellsLeaks)
        QVERIFY2(after - before < kAllowedGrowthKiB, qPrintable(QString::number(after - before)));
}

QTEST_MAIN(TestIdle)
#include "tst_idle.moc"
