#include "PictureBox.h"
#include "Scriba.h"
#include "SoakInk.h"
#include "ScrollBar.h"
#include "Swatch.h"
#include "TabControl.h"
#include "Timer.h"
#include "WindowFixture.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTest>

#include <random>

// Drives the real window with random events and checks after every one that
// nothing a teacher relies on has drifted: labels, the animation's state, each
// page's strokes and pen colour, and the layout of the page in view.
// TAMSEL_SOAK_SEED and TAMSEL_SOAK_EVENTS choose the run; a failure names both.
class TestSoak : public QObject
{
    Q_OBJECT
private slots:
    void randomEvents();

private:
    struct Expected
    {
        std::vector<QColor> pen = std::vector<QColor>(std::size_t(core::PageTable::count()), Tamsel::kWhite);
        bool running = false;
        int step = 0;
    };

    QString act(int kind);
    QString check() const;
    int sectors() const { return 2 * w->ccScroll->value(); }
    int page() const { return w->MainTab->Tab(); }
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_random); }
    void tick();
    void scroll(ScrollBar *bar);

    std::unique_ptr<Tamsel> w;
    Expected m_expected;
    std::mt19937 m_random;
    std::unique_ptr<SoakInk> m_ink;
};

namespace {

constexpr int kMaxWidthPx = 4200;
constexpr int kMaxHeightPx = 2400;
// Most resizes stay at classroom sizes: a full-range one costs tens of times more.
constexpr int kUsualWidthPx = 1400;
constexpr int kUsualHeightPx = 1000;
constexpr int kEventsBetweenPaints = 64;
// Undoing and redoing a page's whole history is the dearest check there is.
constexpr int kEventsBetweenPixelChecks = 2500;
// A pressure jump replays its page afresh, which costs milliseconds: the
// other turns of its kind erase.
constexpr int kJumpOneTurnIn = 4;

int envOr(const char *name, int fallback)
{
    bool ok = false;
    const int v = qEnvironmentVariableIntValue(name, &ok);
    return ok ? v : fallback;
}

QColor nextPen(const QColor &c)
{
    return c == Tamsel::kWhite ? Tamsel::kRed : c == Tamsel::kRed ? Tamsel::kBlue : Tamsel::kWhite;
}

} // namespace

void TestSoak::tick()
{
    // Only a running timer ticks; the real one may fire too, and is treated alike.
    if (w->MainTimer->Enabled())
        emit w->MainTimer->Tick();
}

void TestSoak::scroll(ScrollBar *bar)
{
    switch (pick(0, 4)) {
    case 0:
        bar->triggerAction(pick(0, 1) ? QAbstractSlider::SliderSingleStepAdd : QAbstractSlider::SliderSingleStepSub);
        break;
    case 1:
        bar->triggerAction(pick(0, 1) ? QAbstractSlider::SliderPageStepAdd : QAbstractSlider::SliderPageStepSub);
        break;
    case 2:
        bar->setSliderDown(true);
        for (int steps = pick(1, 4); steps > 0; --steps)
            bar->setSliderPosition(pick(bar->minimum(), bar->maximum()));
        bar->setSliderDown(false);
        break;
    case 3:
        bar->setValue(pick(bar->minimum(), bar->maximum()));
        break;
    default:
        bar->triggerAction(pick(0, 1) ? QAbstractSlider::SliderToMinimum : QAbstractSlider::SliderToMaximum);
        break;
    }
}

QString TestSoak::act(int kind)
{
    int ccChanges = 0;
    const QMetaObject::Connection counting =
        connect(w->ccScroll, &QScrollBar::valueChanged, this, [&ccChanges] { ++ccChanges; });
    const QSize sizeBefore = w->size();
    const int pageBefore = page();
    QString what;
    switch (kind) {
    case 0: {
        what = "page";
        const std::vector<int> shown = SoakInk::shownPages(*w);
        QTest::mouseClick(w->MainTab->tabBar(), Qt::LeftButton, {},
                          w->MainTab->tabBar()->tabRect(shown.at(std::size_t(pick(0, int(shown.size()) - 1)))).center());
        break;
    }
    case 1:
        what = "resize";
        switch (pick(0, 9)) {
        case 0:
            w->resize(pick(0, kMaxWidthPx), pick(0, kMaxHeightPx));
            break;
        case 1:
        case 2:
        case 3:
        case 4:
            w->resize(pick(0, kUsualWidthPx), pick(0, kUsualHeightPx));
            break;
        default:
            w->resize(std::max(0, w->width() + pick(-1, 1)), std::max(0, w->height() + pick(-1, 1)));
        }
        break;
    case 2:
        what = "scroll";
        scroll(std::array<ScrollBar *, 3>{w->PolyScroll, w->CirScroll, w->ccScroll}[pick(0, 2)]);
        break;
    case 3:
        what = "start";
        w->ccButton->click();
        if (m_expected.running) {
            m_expected.running = false;
        } else {
            m_expected.running = true;
            if (m_expected.step == sectors())
                m_expected.step = 0;
        }
        break;
    case 4:
    case 5:
        what = "tick";
        tick();
        break;
    case 6:
    case 7:
        what = m_ink->draw();
        break;
    case 8:
        what = "clear";
        w->ClsButton[pick(0, 1)]->click();
        m_ink->cleared(page());
        break;
    case 9:
        what = "swatch";
        QTest::mouseClick(w->ColPic, Qt::LeftButton);
        // A swatch squeezed to no width cannot be clicked.
        if (!w->ColPic->rect().isEmpty())
            m_expected.pen[page()] = nextPen(m_expected.pen[page()]);
        break;
    case 10:
        what = "repaint request";
        w->Scriba_RepaintRequest(Int16(pick(-3, 6)));
        break;
    case 11:
        what = m_ink->interrupt(SoakInk::Interruption(pick(SoakInk::Hide, SoakInk::PenLeft)));
        break;
    case 12: {
        what = "weight";
        const auto &choices = core::LineWeight::kChoices;
        w->lesson().setWeight(*core::LineWeight::fromFactor(choices[std::size_t(pick(0, int(choices.size()) - 1))].factor));
        break;
    }
    case 13:
        if (pick(0, kJumpOneTurnIn - 1) == 0) {
            what = m_ink->nearJump();
            break;
        }
        [[fallthrough]];
    default:
        what = "erase";
        m_ink->erase();
        break;
    }
    disconnect(counting);
    if (ccChanges > 0) {
        m_expected.step = 0;
        m_expected.running = false;
    }
    if (w->size() != sizeBefore || page() != pageBefore)
        m_expected.running = false;
    if (kind == 0 && page() != pageBefore)
        m_ink->pageLeft(pageBefore);
    return what;
}

QString TestSoak::check() const
{
    if (w->PolyLabel->text() != QString::number(w->PolyScroll->value()))
        return "PolyLabel " + w->PolyLabel->text();
    if (w->CirLabel->text() != QString::number(w->CirScroll->value()))
        return "CirLabel " + w->CirLabel->text();
    if (w->ccLabel->text() != QString::number(sectors()))
        return "ccLabel " + w->ccLabel->text();
    const int step = w->lesson().step();
    if (step < 0 || step > sectors() || step != m_expected.step)
        return QString("ccStep %1, expected %2").arg(step).arg(m_expected.step);
    if (w->MainTimer->Enabled() != m_expected.running)
        return QString("timer %1").arg(w->MainTimer->Enabled());

    if (const QString fault = m_ink->check(); !fault.isEmpty())
        return fault;
    for (int p = 0; p < w->pageCount(); ++p) {
        if (w->Scriba[p]->ForeColor() != m_expected.pen[p])
            return QString("page %1 pen %2").arg(p).arg(w->Scriba[p]->ForeColor().name());
    }
    if (w->ColPic->BackColor() != w->Scriba[page()]->ForeColor())
        return "swatch " + w->ColPic->BackColor().name();

    // The window and the page in view are where the layout rules put them,
    // worked out here in pixels at 96 dpi.
    const int width = w->width(), height = w->height();
    const QRect tab(5, 5, std::max(0, width - 10), std::max(0, height - 40));
    const int stripTop = tab.y() + tab.height() + 7;
    const int rightClear = std::max(5, width - 75);
    const int pictureHeight = std::max(0, tab.height() - 20 - 12 - (page() == 3 ? 0 : 25));
    const QRect picture(5, 25, std::max(0, tab.width() - 10), pictureHeight);
    const int rowTop = picture.y() + picture.height() + 2;
    const int scrollWidth = std::max(0, picture.width() - 49 - (page() == 2 ? 65 + 4 : 2));
    const int labelLeft = 5 + scrollWidth + 2 + (page() == 2 ? 65 + 2 : 0);
    const std::pair<const QWidget *, QRect> placed[] = {
        {w->MainTab, tab},
        {w->ClsButton[0], QRect(5, stripTop, 70, 25)},
        {w->ClsButton[1], QRect(rightClear, stripTop, 70, 25)},
        {w->ColPic, QRect(80, stripTop, std::max(0, rightClear - 85), 25)},
        {std::array<QWidget *, 4>{w->PolyPic, w->CirPic, w->ccPic, w->WhPic}[page()], picture},
        {w->Scriba[page()], QRect(7, 27, std::max(0, picture.width() - 4), std::max(0, pictureHeight - 4))},
        {std::array<QWidget *, 4>{w->PolyScroll, w->CirScroll, w->ccScroll, nullptr}[page()],
         QRect(5, rowTop, scrollWidth, 25)},
        {page() == 2 ? w->ccButton : nullptr, QRect(5 + scrollWidth + 2, rowTop, 65, 25)},
        {std::array<QWidget *, 4>{w->PolyLabel, w->CirLabel, w->ccLabel, nullptr}[page()],
         QRect(labelLeft, rowTop, 49, 25)},
    };
    for (std::size_t i = 0; i < std::size(placed); ++i) {
        const auto &[control, rect] = placed[i];
        if (control && control->geometry() != rect)
            return QString("control %1 (%2) misplaced").arg(i).arg(control->metaObject()->className());
    }
    return {};
}

void TestSoak::randomEvents()
{
    const int seed = envOr("TAMSEL_SOAK_SEED", 20261207);
    const int events = envOr("TAMSEL_SOAK_EVENTS", 100000);
    m_random.seed(seed);
    w = std::make_unique<Tamsel>();
    QVERIFY(showWindow(*w));
    m_ink = std::make_unique<SoakInk>(*w, m_random, m_expected.pen);
    connect(w->MainTimer, &Timer::Tick, this, [this] {
        m_expected.step = std::min(m_expected.step + 1, sectors());
        if (m_expected.step == sectors())
            m_expected.running = false;
    });
    constexpr int kKinds = 15;
    for (int i = 0; i < events; ++i) {
        const QString what = act(pick(0, kKinds - 1));
        if (i % kEventsBetweenPaints == 0)
            QCoreApplication::processEvents();
        QString fault = check();
        if (fault.isEmpty() && (i + 1) % kEventsBetweenPixelChecks == 0)
            fault = m_ink->checkPixels();
        if (!fault.isEmpty())
            QFAIL(qPrintable(QString("seed %1, event %2 (%3): %4").arg(seed).arg(i).arg(what, fault)));
    }
    qInfo("%d events, seed %d", events, seed);
}

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
