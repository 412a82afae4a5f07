#include "FocusRing.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QTabBar>

FocusRing::FocusRing(QWidget &window) : QWidget(&window), m_window(window)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { follow(now); });
}

// The ring is a child of the control, so it moves, shows and hides with it.
void FocusRing::follow(QWidget *focused)
{
    if (m_control)
        m_control->removeEventFilter(this);
    disconnect(m_tabChanged);
    m_control = focused && focused->window() == &m_window ? focused : nullptr;
    if (!m_control) {
        hide();
        return;
    }
    setParent(m_control);
    m_control->installEventFilter(this);
    if (auto *bar = qobject_cast<QTabBar *>(focused))
        m_tabChanged = connect(bar, &QTabBar::currentChanged, this, &FocusRing::place);
    place();
    show();
}

void FocusRing::place()
{
    if (!m_control)
        return;
    const auto *bar = qobject_cast<const QTabBar *>(m_control.data());
    setGeometry(bar ? bar->tabRect(bar->currentIndex()) : m_control->rect());
}

// A tab bar lays its tabs out again only after its own resize handling, which
// runs after this filter, so the ring follows once that is done.
bool FocusRing::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_control && event->type() == QEvent::Resize)
        QMetaObject::invokeMethod(this, &FocusRing::place, Qt::QueuedConnection);
    return false;
}

void FocusRing::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect lining = rect().adjusted(kBandPx, kBandPx, -kBandPx, -kBandPx);
    painter.setClipRegion(QRegion(rect()).subtracted(lining));
    painter.fillRect(rect(), palette().color(QPalette::Highlight));
    const QRect inside = lining.adjusted(kLiningPx, kLiningPx, -kLiningPx, -kLiningPx);
    painter.setClipRegion(QRegion(lining).subtracted(inside));
    painter.fillRect(lining, kLining);
}
