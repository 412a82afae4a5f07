#include "Scriba.h"
#include "Strokes.h"
#include "Twips.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTabletEvent>
#include <QTest>

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
    void foreColorAppliesToLaterStrokesOnly();
    void sizeInTwips();

private:
    Twips m_twips;
    Scriba *m_a = nullptr;
    Scriba *m_b = nullptr;
};

void TestScriba::init()
{
    m_a = new Scriba(2, m_twips);
    m_b = new Scriba(3, m_twips);
    m_a->resize(200, 100);
    m_b->resize(200, 100);
}

void TestScriba::cleanup()
{
    delete m_a;
    delete m_b;
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
        static QPointingDevice stylus("pen", 1, QInputDevice::DeviceType::Stylus, QPointingDevice::PointerType::Pen,
                                      QInputDevice::Capability::Position | QInputDevice::Capability::Pressure, 1, 3);
        for (qsizetype i = 0; i < points.size(); ++i) {
            const QEvent::Type type = i == 0 ? QEvent::TabletPress : QEvent::TabletMove;
            QTabletEvent e(type, &stylus, points[i], m_a->mapToGlobal(points[i]), 0.5, 0, 0, 0, 0, 0, Qt::NoModifier,
                           Qt::LeftButton, Qt::LeftButton);
            QApplication::sendEvent(m_a, &e);
        }
        QTabletEvent up(QEvent::TabletRelease, &stylus, points.back(), points.back(), 0, 0, 0, 0, 0, 0, Qt::NoModifier,
                        Qt::LeftButton, Qt::NoButton);
        QApplication::sendEvent(m_a, &up);
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
    QCOMPARE(int(m_a->ink().strokes()[0].points.size()), 3);
    QVERIFY(!m_a->ink().drawing());
    QCOMPARE(m_a->ink().image().pixelColor(50, 20), QColor(Qt::white));
}

void TestScriba::strokesSurviveResize()
{
    mouseStroke(m_a, {{20, 20}, {180, 80}});
    const std::vector<InkPoint> before = m_a->ink().strokes()[0].points;
    m_a->resize(30, 30);
    m_a->resize(400, 300);
    QCOMPARE(int(m_a->ink().strokes().size()), 1);
    const std::vector<InkPoint> &after = m_a->ink().strokes()[0].points;
    QCOMPARE(after.size(), before.size());
    QCOMPARE(after.back().pos, before.back().pos);
    QCOMPARE(m_a->ink().image().pixelColor(180, 80), QColor(Qt::white)); // the part that was cut off is back
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
    QCOMPARE(m_a->ink().image().pixelColor(20, 20).alpha(), 0);
    QCOMPARE(int(m_b->ink().strokes().size()), 1);
}

void TestScriba::foreColorAppliesToLaterStrokesOnly()
{
    mouseStroke(m_a, {{10, 10}, {60, 10}});
    m_a->setForeColor(QColor(255, 0, 0));
    mouseStroke(m_a, {{10, 50}, {60, 50}});
    QCOMPARE(m_a->ink().strokes()[0].color, QColor(Qt::white));
    QCOMPARE(m_a->ink().strokes()[1].color, QColor(255, 0, 0));
    QCOMPARE(m_a->ink().image().pixelColor(30, 10), QColor(Qt::white));
    QCOMPARE(m_a->ink().image().pixelColor(30, 50), QColor(255, 0, 0));
}

void TestScriba::sizeInTwips()
{
    m_a->resize(524, 368);
    QCOMPARE(m_a->Width(), 7860.0f);
    QCOMPARE(m_a->Height(), 5520.0f);
}

QTEST_MAIN(TestScriba)
#include "tst_scriba.moc"
