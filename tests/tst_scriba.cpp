#include "Convert.h"
#include "Lesson.h"
#include "Pen.h"
#include "Scriba.h"
#include "Strokes.h"
#include "Twips.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTabletEvent>
#include <QTest>

#include <memory>

using core::InkPoint;
using core::Stroke;

namespace {
QColor inkAt(Scriba *s, int x, int y) { return Convert::wrap(s->canvas().image()).pixelColor(x, y); }
} // namespace

class TestScriba : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void everyInputDraws_data();
    void everyInputDraws();
    void strokesSurviveResize();
    void clearErasesOnlyItsOwnAndAsksOnce();
    void everyStepTellsItChanged();
    void foreColorAppliesToLaterStrokesOnly();
    void sizeInTwips();
    void palmRejection_data();
    void palmRejection();
    void eraserEndRemovesWholeStrokesUndoably();
    void penPressureSetsWidth();
    void strokeEndsWithoutItsRelease_data();
    void strokeEndsWithoutItsRelease();
    void eachFingerDrawsItsOwnStroke();

private:
    core::Twips m_twips;
    std::unique_ptr<core::Lesson> m_lesson;
    QList<int> m_inkTold; // the page of each change of finished strokes the lesson told
    Scriba *m_a = nullptr;
    Scriba *m_b = nullptr;
};

void TestScriba::init()
{
    m_lesson = std::make_unique<core::Lesson>();
    m_inkTold.clear();
    m_lesson->listen([this](core::Lesson::Change change, int page) {
        if (change == core::Lesson::Change::Ink)
            m_inkTold << page;
    });
    m_a = new Scriba(2, *m_lesson, m_twips);
    m_b = new Scriba(3, *m_lesson, m_twips);
    m_a->resize(200, 100);
    m_b->resize(200, 100);
}

void TestScriba::cleanup()
{
    delete m_a;
    delete m_b;
    m_lesson.reset();
}

void TestScriba::everyInputDraws_data()
{
    QTest::addColumn<QString>("input");
    QTest::newRow("mouse") << "mouse";
    QTest::newRow("pen") << "pen";
    QTest::newRow("finger") << "finger";
}

void TestScriba::everyInputDraws()
{
    QFETCH(QString, input);
    const QList<QPoint> points{{10, 10}, {50, 20}, {90, 30}};
    if (input == "mouse") {
        mouseStroke(m_a, points);
    } else if (input == "pen") {
        Pen pen;
        pen.stroke(m_a, points);
        pen.proximity(false);
    } else {
        static QPointingDevice *screen = QTest::createTouchDevice();
        m_a->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_a));
        QTest::touchEvent(m_a, screen).press(0, points[0]);
        for (qsizetype i = 1; i < points.size(); ++i)
            QTest::touchEvent(m_a, screen).move(0, points[i]);
        QTest::touchEvent(m_a, screen).release(0, points.back());
    }
    QCOMPARE(int(m_a->ink().strokes().size()), 1);
    QCOMPARE(int(m_a->ink().strokes()[0]->points.size()), 3);
    QVERIFY(!m_a->ink().drawing());
    QCOMPARE(inkAt(m_a, 50, 20), QColor(Qt::white));
}

void TestScriba::strokesSurviveResize()
{
    mouseStroke(m_a, {{20, 20}, {180, 80}});
    const std::vector<InkPoint> before = m_a->ink().strokes()[0]->points;
    m_a->resize(30, 30);
    m_a->resize(400, 300);
    QCOMPARE(int(m_a->ink().strokes().size()), 1);
    const std::vector<InkPoint> &after = m_a->ink().strokes()[0]->points;
    QCOMPARE(after.size(), before.size());
    QCOMPARE(Convert::toQt(after.back().pos()), Convert::toQt(before.back().pos()));
    QCOMPARE(inkAt(m_a, 180, 80), QColor(Qt::white)); // the part that was cut off is back
}

void TestScriba::clearErasesOnlyItsOwnAndAsksOnce()
{
    mouseStroke(m_a, {{10, 10}, {30, 30}});
    mouseStroke(m_b, {{10, 10}, {30, 30}});
    QSignalSpy spyA(m_a, &Scriba::RepaintRequest);
    QSignalSpy spyB(m_b, &Scriba::RepaintRequest);
    m_a->Clear();
    QCOMPARE(spyA.count(), 1);
    QCOMPARE(spyA.at(0).at(0).toInt(), 2);
    QCOMPARE(spyB.count(), 0);
    QVERIFY(m_a->ink().strokes().empty());
    QCOMPARE(inkAt(m_a, 20, 20).alpha(), 0);
    QCOMPARE(int(m_b->ink().strokes().size()), 1);
}

// The ink is saved when the lesson tells of it: once for every step of the
// history, the restore included, and not while a stroke is still being drawn.
void TestScriba::everyStepTellsItChanged()
{
    const QList<int> &changed = m_inkTold;
    mouseDown(m_a, {{10, 10}, {30, 30}});
    QCOMPARE(changed.count(), 0);
    sendMouse(m_a, QEvent::MouseButtonRelease, {30, 30}, Qt::NoButton);
    const Stroke drawn = *m_a->ink().strokes().front();
    m_a->undo();
    m_a->redo();
    m_a->Clear();
    m_a->Clear(); // nothing left to clear
    m_a->undo();
    m_a->restore({drawn});
    QCOMPARE(changed.count(), 6);
    QCOMPARE(changed.at(0), 2);
}

void TestScriba::foreColorAppliesToLaterStrokesOnly()
{
    mouseStroke(m_a, {{10, 10}, {60, 10}});
    m_a->setForeColor(QColor(255, 0, 0));
    mouseStroke(m_a, {{10, 50}, {60, 50}});
    QCOMPARE(QColor(m_a->ink().strokes()[0]->color), QColor(Qt::white));
    QCOMPARE(QColor(m_a->ink().strokes()[1]->color), QColor(255, 0, 0));
    QCOMPARE(inkAt(m_a, 30, 10), QColor(Qt::white));
    QCOMPARE(inkAt(m_a, 30, 50), QColor(255, 0, 0));
}

void TestScriba::sizeInTwips()
{
    m_a->resize(524, 368);
    QCOMPARE(m_a->Width(), 7860.0f);
    QCOMPARE(m_a->Height(), 5520.0f);
}

void TestScriba::palmRejection_data()
{
    QTest::addColumn<QString>("pen");
    QTest::addColumn<int>("strokes");
    QTest::newRow("finger alone draws") << "far" << 1;
    QTest::newRow("pen in proximity: finger ignored") << "near" << 0;
    QTest::newRow("pen just wrote, no proximity events: ignored") << "wrote" << 0;
    QTest::newRow("pen left proximity: finger draws") << "left" << 1;
}

void TestScriba::palmRejection()
{
    QFETCH(QString, pen);
    QFETCH(int, strokes);
    static QPointingDevice *screen = QTest::createTouchDevice();
    Pen stylus;
    m_a->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_a));
    if (pen == "near") {
        stylus.proximity(true);
    } else if (pen == "wrote") {
        stylus.stroke(m_a, {{5, 90}, {10, 90}}); // counts as one stroke of its own
    } else if (pen == "left") {
        stylus.proximity(true);
        stylus.proximity(false);
    }
    QTest::touchEvent(m_a, screen).press(0, {20, 20});
    QTest::touchEvent(m_a, screen).move(0, {80, 20});
    QTest::touchEvent(m_a, screen).release(0, {80, 20});
    stylus.proximity(false);
    int fingerStrokes = 0;
    for (const Stroke *s : m_a->ink().strokes())
        fingerStrokes += s->points.front().pos() == core::PointF(20, 20);
    QCOMPARE(fingerStrokes, strokes);
}

void TestScriba::eraserEndRemovesWholeStrokesUndoably()
{
    mouseStroke(m_a, {{10, 20}, {190, 20}});
    mouseStroke(m_a, {{10, 60}, {190, 60}});
    Pen eraser(QPointingDevice::PointerType::Eraser);
    eraser.stroke(m_a, {{100, 10}, {100, 30}}); // crosses the first only
    eraser.proximity(false);
    QCOMPARE(int(m_a->ink().strokes().size()), 1);
    QCOMPARE(Convert::toQt(m_a->ink().strokes()[0]->points.front().pos()), QPointF(10, 60));
    QCOMPARE(inkAt(m_a, 50, 20).alpha(), 0);
    QVERIFY(m_a->undo());
    QCOMPARE(int(m_a->ink().strokes().size()), 2);
    QCOMPARE(inkAt(m_a, 50, 20), QColor(Qt::white));
}

void TestScriba::penPressureSetsWidth()
{
    Pen pen;
    pen.stroke(m_a, {{10, 20}, {190, 20}}, 1.0);
    pen.stroke(m_a, {{10, 60}, {190, 60}}, 0.0);
    pen.proximity(false);
    mouseStroke(m_a, {{10, 90}, {190, 90}});
    const auto &strokes = m_a->ink().strokes();
    QCOMPARE(strokes[0]->points.back().widthFactor, 1.75f);
    QCOMPARE(strokes[1]->points.back().widthFactor, 0.5f);
    QCOMPARE(strokes[2]->points.back().widthFactor, 1.0f);
    // A hard press leaves a wider line than a light one.
    QVERIFY(inkAt(m_a, 100, 22).alpha() > 0);
    QCOMPARE(inkAt(m_a, 100, 62).alpha(), 0);
}

void TestScriba::strokeEndsWithoutItsRelease_data()
{
    QTest::addColumn<QString>("interruption");
    QTest::newRow("layer hidden: window minimised or page switched") << "hide";
    QTest::newRow("window loses focus") << "deactivate";
    QTest::newRow("touch cancelled, without points") << "cancel";
    QTest::newRow("pen leaves while pressed") << "proximity";
    QTest::newRow("mouse released over a popup") << "grab";
    QTest::newRow("a move elsewhere with the button up") << "elsewhere";
    QTest::newRow("the pointer enters with the button up") << "enter";
    QTest::newRow("a key pressed with the button up") << "key";
}

// The stroke ends there as one step, so the next Ctrl+Z takes it back.
void TestScriba::strokeEndsWithoutItsRelease()
{
    QFETCH(QString, interruption);
    static QPointingDevice *screen = QTest::createTouchDevice();
    m_a->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_a));
    Pen pen;
    if (interruption == "cancel") {
        QTest::touchEvent(m_a, screen).press(0, {20, 20});
        QTest::touchEvent(m_a, screen).move(0, {80, 20});
        QTouchEvent cancel(QEvent::TouchCancel, screen);
        QApplication::sendEvent(m_a, &cancel);
    } else if (interruption == "proximity") {
        pen.down(m_a, {{20, 20}, {80, 20}});
        pen.proximity(false);
    } else {
        mouseDown(m_a, {{20, 20}, {80, 20}});
        if (interruption == "hide") {
            m_a->hide();
        } else if (interruption == "deactivate") {
            QEvent deactivate(QEvent::WindowDeactivate);
            QApplication::sendEvent(m_a, &deactivate);
        } else if (interruption == "grab") {
            sendMouse(m_a, QEvent::MouseMove, {90, 20}, Qt::NoButton);
        } else if (interruption == "elsewhere") {
            sendMouse(m_b, QEvent::MouseMove, {90, 20}, Qt::NoButton);
        } else if (interruption == "enter") {
            QEnterEvent enter({90, 20}, {90, 20}, m_a->mapToGlobal(QPointF(90, 20)));
            QApplication::sendEvent(m_a, &enter);
        } else {
            QTest::keyClick(m_b, Qt::Key_A);
        }
    }
    QVERIFY(!m_a->ink().drawing());
    QCOMPARE(int(m_a->ink().strokes().size()), 1);
    QVERIFY(m_a->undo());
    QVERIFY(m_a->ink().strokes().empty());
}

// Two pupils at the board: neither line jumps to the other's finger.
void TestScriba::eachFingerDrawsItsOwnStroke()
{
    static QPointingDevice *screen = QTest::createTouchDevice();
    m_a->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_a));
    QTest::touchEvent(m_a, screen).press(0, {20, 20}).press(1, {20, 70});
    QTest::touchEvent(m_a, screen).move(0, {60, 20}).move(1, {60, 70});
    QTest::touchEvent(m_a, screen).move(0, {100, 20}).stationary(1);
    QTest::touchEvent(m_a, screen).release(0, {100, 20}).release(1, {60, 70});
    const auto strokes = m_a->ink().strokes();
    QCOMPARE(int(strokes.size()), 2);
    for (const Stroke *s : strokes)
        for (const InkPoint &p : s->points)
            QCOMPARE(p.y, s->points.front().y);
    QVERIFY(m_a->undo());
    QCOMPARE(int(m_a->ink().strokes().size()), 1);
}

QTEST_MAIN(TestScriba)
#include "tst_scriba.moc"
