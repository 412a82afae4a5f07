#include "FullScreen.h"

#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>

FullScreen::FullScreen(QWidget &window) : QObject(&window), m_window(window) { window.installEventFilter(this); }

bool FullScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window && event->type() == QEvent::WindowStateChange)
        emit changed();
    return QObject::eventFilter(watched, event);
}

bool FullScreen::active() const { return m_window.isFullScreen() || m_coveredByUs; }

void FullScreen::toggle()
{
    if (active())
        leave();
    else
        enter();
}

void FullScreen::enter()
{
    m_normalGeometry = m_window.geometry();
    m_waitingForWindowManager = true;
    m_window.showFullScreen();
    QTimer::singleShot(kWindowManagerGraceMs, this, &FullScreen::coverIfIgnored);
}

void FullScreen::coverIfIgnored()
{
    const QRect screen = m_window.screen()->geometry();
    if (!m_waitingForWindowManager || m_window.geometry() == screen)
        return;
    m_waitingForWindowManager = false;
    m_coveredByUs = true;
    m_window.setGeometry(screen);
    emit changed();
}

void FullScreen::leave()
{
    m_waitingForWindowManager = false;
    if (!active())
        return;
    if (m_window.isFullScreen())
        m_window.showNormal();
    if (m_coveredByUs)
        m_window.setGeometry(m_normalGeometry);
    const bool covered = m_coveredByUs;
    m_coveredByUs = false;
    if (covered)
        emit changed();
}
