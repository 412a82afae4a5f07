#include "FullScreen.h"
#include "HelpOverlay.h"
#include "PenPalette.h"
#include "PictureBox.h"
#include "Scriba.h"
#include "ScrollBar.h"
#include "Strokes.h"
#include "Swatch.h"
#include "TabControl.h"
#include "Timer.h"
#include "PageMenu.h"
#include "PressAndHold.h"
#include "WindowFixture.h"

#include <QAccessible>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

class TestKeyboard : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void focusOrder_data();
    void focusOrder();
    void controlsTakeTheirKeys();
    void pageKeys_data();
    void pageKeys();
    void undoRedo_data();
    void undoRedo();
    void sectorKeys_data();
    void sectorKeys();
    void scrollBarKeys_data();
    void scrollBarKeys();
    void fullScreen();
    void accessibleNames_data();
    void accessibleNames();
    void pageMenu_data();
    void pageMenu();
    void helpTakesOneKeyOrClick_data();
    void helpTakesOneKeyOrClick();

private:
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(QApplication::focusWidget(), k, m); }
    Tamsel *w = nullptr;
};

void TestKeyboard::init()
{
    w = new Tamsel;
    QVERIFY(showWindow(*w));
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    w->MainTab->tabBar()->setFocus();
}

void TestKeyboard::cleanup() { delete w; }

void TestKeyboard::focusOrder_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("page 0") << 0 << QStringList{"ページ", "辺の数", "消去", "消去", "ペンの色", "ページ"};
    QTest::newRow("page 1") << 1 << QStringList{"ページ", "中心角", "消去", "消去", "ペンの色", "ページ"};
    QTest::newRow("page 2") << 2 << QStringList{"ページ", "扇形の数", "開始", "消去", "消去", "ペンの色", "ページ"};
    QTest::newRow("page 3") << 3 << QStringList{"ページ", "消去", "消去", "ペンの色", "ページ"};
}

void TestKeyboard::focusOrder()
{
    QFETCH(int, page);
    QFETCH(QStringList, order);
    w->MainTab->setTab(page);
    w->MainTab->tabBar()->setFocus();
    const auto name = [] {
        QWidget *f = QApplication::focusWidget();
        return f->accessibleName().isEmpty() ? qobject_cast<QPushButton *>(f)->text() : f->accessibleName();
    };
    // Focus shows as a ring at least two pixels wide that differs clearly
    // from the control's unfocused look.
    const auto marked = [this] {
        QWidget *f = QApplication::focusWidget();
        const auto *bar = qobject_cast<QTabBar *>(f);
        const QRect r = bar ? bar->tabRect(bar->currentIndex()) : f->rect();
        return QRect(f->mapTo(w, r.topLeft()), r.size());
    };
    QStringList forward{name()};
    for (int i = 1; i < order.size(); ++i) {
        const QRect area = marked();
        const QImage focused = w->grab(area).toImage();
        key(Qt::Key_Tab);
        const QImage unfocused = w->grab(area).toImage();
        int changed = 0;
        for (int y = 0; y < area.height(); ++y)
            for (int x = 0; x < area.width(); ++x) {
                const QColor a = focused.pixelColor(x, y), b = unfocused.pixelColor(x, y);
                changed += std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                                     std::abs(a.blue() - b.blue())}) >= 64;
            }
        QVERIFY2(changed >= 2 * 2 * (area.width() + area.height()), qPrintable(forward.last()));
        forward << name();
    }
    QCOMPARE(forward, order);
    QStringList backward{name()};
    for (int i = 1; i < order.size(); ++i) {
        key(Qt::Key_Backtab, Qt::ShiftModifier);
        backward.prepend(name());
    }
    QCOMPARE(backward, order);
}

void TestKeyboard::controlsTakeTheirKeys()
{
    w->PolyScroll->setFocus();
    key(Qt::Key_Right);
    QCOMPARE(w->PolyLabel->text(), QStringLiteral("4"));
    key(Qt::Key_Left);
    key(Qt::Key_Down);
    QCOMPARE(w->PolyLabel->text(), QStringLiteral("3"));
    w->MainTab->setTab(2);
    w->ccButton->setFocus();
    key(Qt::Key_Space);
    QVERIFY(w->MainTimer->Enabled());
    w->ColPic->setFocus();
    key(Qt::Key_Space);
    QCOMPARE(w->Scriba[2]->ForeColor(), Tamsel::kRed);
}

void TestKeyboard::pageKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("page");
    QTest::newRow("Ctrl+Tab") << int(Qt::Key_Tab) << int(Qt::ControlModifier) << 1;
    QTest::newRow("Ctrl+Page Down") << int(Qt::Key_PageDown) << int(Qt::ControlModifier) << 1;
    QTest::newRow("Ctrl+Shift+Tab wraps") << int(Qt::Key_Backtab) << int(Qt::ControlModifier | Qt::ShiftModifier) << 3;
    QTest::newRow("Ctrl+Page Up wraps") << int(Qt::Key_PageUp) << int(Qt::ControlModifier) << 3;
}

void TestKeyboard::pageKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, page);
    w->PolyScroll->setFocus(); // even from a scroll bar
    this->key(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(w->MainTab->Tab(), page);
}

void TestKeyboard::undoRedo_data()
{
    // s stroke on the page in view, c clear button, u Ctrl+Z, r Ctrl+Y, R Ctrl+Shift+Z, 0-3 page, z resize
    QTest::addColumn<QString>("script");
    QTest::addColumn<QList<int>>("strokesPerPage");
    QTest::newRow("undo the last stroke") << "ssu" << QList<int>{1, 0, 0, 0, 0};
    QTest::newRow("redo with Ctrl+Y") << "ssuur" << QList<int>{1, 0, 0, 0, 0};
    QTest::newRow("redo with Ctrl+Shift+Z") << "ssuuRR" << QList<int>{2, 0, 0, 0, 0};
    QTest::newRow("a mis-clicked clear comes back") << "sssc" "u" << QList<int>{3, 0, 0, 0, 0};
    QTest::newRow("undo acts on the page in view") << "ss1su" << QList<int>{2, 0, 0, 0, 0};
    QTest::newRow("history survives page switches") << "ss1s0u1u" << QList<int>{1, 0, 0, 0, 0};
    QTest::newRow("history survives resizes") << "sscz3z0u" << QList<int>{2, 0, 0, 0, 0};
}

void TestKeyboard::undoRedo()
{
    QFETCH(QString, script);
    QFETCH(QList<int>, strokesPerPage);
    int y = 10;
    for (QChar ch : script) {
        const char c = ch.toLatin1();
        if (c == 's') {
            mouseStroke(w->Scriba[w->MainTab->Tab()], {{10, y}, {100, y}});
            y += 10;
        } else if (c == 'c') {
            w->ClsButton[0]->click();
        } else if (c == 'u') {
            key(Qt::Key_Z, Qt::ControlModifier);
        } else if (c == 'r') {
            key(Qt::Key_Y, Qt::ControlModifier);
        } else if (c == 'R') {
            key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        } else if (c == 'z') {
            w->resize(w->width() + 40, w->height() + 30);
        } else {
            w->MainTab->setTab(c - '0');
        }
    }
    QList<int> actual;
    for (const Scriba *s : w->Scriba)
        actual << int(s->ink().strokes().size());
    QCOMPARE(actual, strokesPerPage);
}

void TestKeyboard::sectorKeys_data()
{
    // b button, t tick, n Page Down, p Page Up, h Home, a F2, v the scroll bar on, 2 page 2, g squared paper
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("running");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("counted"); // how far the page in view's squares are counted
    QTest::newRow("Page Down at rest moves one") << 2 << "n" << false << 1 << 0;
    QTest::newRow("Page Down pauses a run first") << 2 << "bttn" << false << 3 << 0;
    QTest::newRow("Page Up steps back") << 2 << "nnp" << false << 1 << 0;
    QTest::newRow("Page Up at rest stays at 0") << 2 << "p" << false << 0 << 0;
    QTest::newRow("Page Down stops at N") << 2 << "nnnnnnnnnn" << false << 8 << 0;
    QTest::newRow("Home returns all sectors") << 2 << "btth" << false << 0 << 0;
    QTest::newRow("button resumes after stepping") << 2 << "nnbt" << true << 3 << 0;
    QTest::newRow("button on N restarts") << 2 << "nnnnnnnnb" << true << 0 << 0;
    QTest::newRow("other pages leave the sectors alone") << 0 << "nn" << false << 0 << 0;
    // With the aids on, Page Down at N builds up to five lines of the formula,
    // each taken back by a Page Up before the sectors move again.
    const QString finished = "a" + QString(8, 'n');
    QTest::newRow("the formula takes five Page Ups") << 2 << finished + "nnnnnnn" + "pppppp" << false << 7 << 0;
    QTest::newRow("Home clears the formula") << 2 << finished + "nnh" + QString(8, 'n') + "p" << false << 7 << 0;
    QTest::newRow("changing V clears it") << 2 << finished + "nnv" + QString(10, 'n') + "p" << false << 9 << 0;
    QTest::newRow("a restart clears it") << 2 << finished + "nnb" + QString(8, 't') + "p" << false << 7 << 0;
    QTest::newRow("hidden, Page Up moves a sector") << 2 << finished + "nnap" << false << 7 << 0;
    QTest::newRow("F2 shows the aids of the page in view") << 0 << "a2" + QString(8, 'n') + "nnp" << false << 7 << 0;
    // With the paper and the aids the clicker counts; on page 2 once every sector has left, before the formula.
    QTest::newRow("page 0 counts step by step") << 0 << "gannn" << false << 0 << 3;
    QTest::newRow("counting stops at the estimate") << 0 << "ga" + QString(6, 'n') << false << 0 << 4;
    QTest::newRow("Page Up takes the counting back") << 0 << "gannnnppp" << false << 0 << 1;
    QTest::newRow("no aids, no counting") << 0 << "gnn" << false << 0 << 0;
    QTest::newRow("page 2 counts the emptied circle, then builds the formula")
        << 2 << finished.mid(0, 1) + "g" + finished.mid(1) + "nnnnnn" + "ppp" << false << 8 << 3;
    QTest::newRow("Home clears the counting") << 2 << "ga" + QString(8, 'n') + "nnh" << false << 0 << 0;
}

void TestKeyboard::sectorKeys()
{
    QFETCH(int, page);
    QFETCH(QString, script);
    QFETCH(bool, running);
    QFETCH(int, step);
    QFETCH(int, counted);
    w->MainTab->setTab(page);
    w->MainTab->tabBar()->setFocus();
    for (QChar ch : script) {
        switch (ch.toLatin1()) {
        case 'b': w->ccButton->click(); break;
        case 't': w->MainTimer_Timer(); break;
        case 'n': key(Qt::Key_PageDown); break;
        case 'p': key(Qt::Key_PageUp); break;
        case 'h': key(Qt::Key_Home); break;
        case 'a': key(Qt::Key_F2); break;
        case 'v': w->ccScroll->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
        case '2': w->MainTab->setTab(2); break;
        case 'g': key(Qt::Key_G); break;
        }
    }
    QCOMPARE(w->MainTimer->Enabled(), running);
    QCOMPARE(w->lesson().step(), step);
    QCOMPARE(w->lesson().paperStep(w->lesson().page()), counted);
    QCOMPARE(w->ccButton->text(), QStringLiteral("開始"));
}

void TestKeyboard::scrollBarKeys_data()
{
    // From the value 10, with the page's scroll bar focused.
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("step");
    QTest::newRow("page 0 Home: first value") << 0 << int(Qt::Key_Home) << 3 << 0;
    QTest::newRow("page 0 End: last value") << 0 << int(Qt::Key_End) << 64 << 0;
    QTest::newRow("page 0 Page Up: a large step back") << 0 << int(Qt::Key_PageUp) << 9 << 0;
    QTest::newRow("page 1 Page Down: a large step on") << 1 << int(Qt::Key_PageDown) << 11 << 0;
    QTest::newRow("page 1 Home: first value") << 1 << int(Qt::Key_Home) << 0 << 0;
    QTest::newRow("page 2 End: last value") << 2 << int(Qt::Key_End) << 32 << 0;
    QTest::newRow("page 2 Page Down moves a sector") << 2 << int(Qt::Key_PageDown) << 10 << 1;
}

void TestKeyboard::scrollBarKeys()
{
    QFETCH(int, page);
    QFETCH(int, key);
    QFETCH(int, value);
    QFETCH(int, step);
    ScrollBar *bar = std::array{w->PolyScroll, w->CirScroll, w->ccScroll}[page];
    w->MainTab->setTab(page);
    bar->setValue(10);
    bar->setFocus();
    this->key(Qt::Key(key));
    QCOMPARE(bar->value(), value);
    QCOMPARE(w->lesson().step(), step);
}

void TestKeyboard::fullScreen()
{
    key(Qt::Key_F11);
    QVERIFY(w->windowState() & Qt::WindowFullScreen);
    key(Qt::Key_Escape);
    QVERIFY(!(w->windowState() & Qt::WindowFullScreen));
    key(Qt::Key_F11);
    key(Qt::Key_F11);
    QVERIFY(!(w->windowState() & Qt::WindowFullScreen));
}

void TestKeyboard::accessibleNames_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::newRow("polygon scroll bar") << "PolyScroll" << "辺の数" << "正多角形の辺の数: 3";
    QTest::newRow("arc scroll bar") << "CirScroll" << "中心角" << "扇形の中心角: 360 度";
    QTest::newRow("sector scroll bar") << "ccScroll" << "扇形の数" << "円を分ける扇形の数: 8";
    QTest::newRow("swatch") << "ColPic" << "ペンの色" << "ペンの色: 白";
    QTest::newRow("start button") << "ccButton" << "開始" << "扇形の並べ替えを開始、一時停止、再開します";
    QTest::newRow("polygon picture") << "PolyPic" << "正多角形の図" << "";
    QTest::newRow("blank overlay") << "Scriba3" << "書き込み（白紙）" << "マウス、ペン、指で書き込めます";
    QTest::newRow("value label") << "ccLabel" << "扇形の数" << "";
}

void TestKeyboard::accessibleNames()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(QString, description);
    const std::map<QString, QWidget *> controls{{"PolyScroll", w->PolyScroll}, {"CirScroll", w->CirScroll},
                                                {"ccScroll", w->ccScroll},     {"ColPic", w->ColPic},
                                                {"ccButton", w->ccButton},     {"PolyPic", w->PolyPic},
                                                {"Scriba3", w->Scriba[3]},     {"ccLabel", w->ccLabel}};
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(controls.at(control));
    QVERIFY(a);
    QCOMPARE(a->text(QAccessible::Name), name);
    if (!description.isEmpty())
        QCOMPARE(a->text(QAccessible::Description), description);
}

void TestKeyboard::pageMenu_data()
{
    // Keys, or a finger or the pen held on the overlay; then whether the menu is open, and later ink.
    QTest::addColumn<QStringList>("input");
    QTest::addColumn<bool>("open");
    QTest::addColumn<int>("weight");
    QTest::addColumn<QColor>("pen");
    QTest::newRow("Menu key") << QStringList{"Menu"} << true << 1 << Tamsel::kWhite;
    QTest::newRow("finger held still") << QStringList{"finger"} << true << 1 << Tamsel::kWhite;
    QTest::newRow("pen held still") << QStringList{"pen"} << true << 1 << Tamsel::kWhite;
    QTest::newRow("finger moving on") << QStringList{"finger moves"} << false << 1 << Tamsel::kWhite;
    QTest::newRow("Ctrl+= and Ctrl+; (Japanese keyboards)") << QStringList{"Ctrl+=", "Ctrl+;"} << false << 3 << Tamsel::kWhite;
    QTest::newRow("no heavier than 特大") << QStringList{"Ctrl++", "Ctrl++", "Ctrl++"} << false << 3 << Tamsel::kWhite;
    QTest::newRow("Ctrl+- one lighter") << QStringList{"Ctrl++", "Ctrl++", "Ctrl+-"} << false << 2 << Tamsel::kWhite;
    QTest::newRow("2 chooses 黄色") << QStringList{"2"} << false << 1 << QColor(255, 255, 0);
    QTest::newRow("6 chooses 水色, weight kept") << QStringList{"Ctrl++", "6"} << false << 2 << QColor(128, 224, 255);
}

void TestKeyboard::pageMenu()
{
    QFETCH(QStringList, input);
    QFETCH(bool, open);
    QFETCH(int, weight);
    QFETCH(QColor, pen);
    w->MainTab->setTab(3);
    Scriba *overlay = w->Scriba[3];
    mouseStroke(overlay, {{10, 10}, {100, 10}});
    const qreal designWidth = overlay->ink().strokes().back()->width;
    const std::size_t strokesBefore = overlay->ink().strokes().size();
    const QPoint at(100, 100);
    std::unique_ptr<QPointingDevice> finger(QTest::createTouchDevice());
    QPointingDevice stylus("pen", 1, QInputDevice::DeviceType::Stylus, QPointingDevice::PointerType::Pen, {}, 1, 3);
    QTabletEvent penDown(QEvent::TabletPress, &stylus, at, overlay->mapToGlobal(at), 0.5, 0, 0, 0, 0, 0, {},
                         Qt::LeftButton, Qt::LeftButton);
    for (const QString &in : input) {
        if (in.startsWith("finger")) {
            QTest::touchEvent(overlay, finger.get()).press(0, at, overlay);
            if (in == "finger moves")
                QTest::touchEvent(overlay, finger.get()).move(0, at + QPoint(2 * PressAndHold::kStillWithinPx, 0), overlay);
        } else if (in == "pen") {
            QApplication::sendEvent(overlay, &penDown);
        } else {
            QTest::keySequence(QApplication::focusWidget(), QKeySequence(in));
        }
    }
    QTest::qWait(input.contains("finger moves") ? PressAndHold::kHoldMs * 3 / 2 : 0);
    QTRY_COMPARE(w->pageMenu()->menu()->isVisible(), open);
    // A press held to open the menu leaves no dot behind.
    if (open) {
        QVERIFY(!overlay->ink().drawing());
        QCOMPARE(overlay->ink().strokes().size(), strokesBefore);
    }

    mouseStroke(overlay, {{10, 50}, {100, 50}});
    QCOMPARE(QColor(overlay->ink().strokes().back()->color), pen);
    QCOMPARE(overlay->ink().strokes().back()->width, weight * designWidth);
    QCOMPARE(w->ColPic->BackColor(), pen);
    QCOMPARE(w->Scriba[0]->ForeColor(), Tamsel::kWhite); // the pen is the page's own
}

void TestKeyboard::helpTakesOneKeyOrClick_data()
{
    // What comes while the help is shown, and what it would do otherwise.
    QTest::addColumn<QString>("input");
    QTest::newRow("F2 (the aids)") << "F2";
    QTest::newRow("2 (a pen)") << "2";
    QTest::newRow("Ctrl+Z (undo)") << "Ctrl+Z";
    QTest::newRow("Page Down (a sector)") << "PgDown";
    QTest::newRow("F11 (full screen)") << "F11";
    QTest::newRow("Menu (the menu)") << "Menu";
    QTest::newRow("Tab (the focus)") << "Tab";
    QTest::newRow("F1 again") << "F1";
    QTest::newRow("a click on the board (ink)") << "click";
    QTest::newRow("a right click (the menu)") << "right click";
}

void TestKeyboard::helpTakesOneKeyOrClick()
{
    QFETCH(QString, input);
    core::Lesson &lesson = w->lesson();
    const int page = lesson.animatedPage();
    w->MainTab->setTab(page);
    Scriba *overlay = w->Scriba[page];
    mouseStroke(overlay, {{10, 10}, {100, 10}});
    QWidget *focused = QApplication::focusWidget();
    key(Qt::Key_F1);
    QVERIFY(w->help()->isVisible());
    if (input.endsWith("click")) {
        const QPoint onBoard = overlay->mapTo(w, overlay->rect().center());
        QTest::mouseClick(w->windowHandle(), input == "click" ? Qt::LeftButton : Qt::RightButton, {}, onBoard);
    } else {
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(input));
    }
    QVERIFY(!w->help()->isVisible());
    QCOMPARE(QApplication::focusWidget(), focused);
    QVERIFY(!lesson.aidsShown(page));
    QCOMPARE(lesson.pen(page), core::PenPalette::pens().front().colour);
    QCOMPARE(lesson.step(), 0);
    QCOMPARE(overlay->ink().strokes().size(), std::size_t(1));
    QVERIFY(!overlay->ink().drawing());
    QVERIFY(!w->fullScreen().active());
    QVERIFY(!w->pageMenu()->menu()->isVisible());
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
