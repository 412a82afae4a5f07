#include "FullScreen.h"

#include <QScreen>
#include <QTimer>
#include <QWidget>

FullScreen::FullScreen(QWidget &window) : QObject(&window), m_window(window) {}

void FullScreen::toggle()
{
    if (m_window.isFullScreen())
        leave();
    else
        enter();
}

void FullScreen::enter()
{
    m_normalGeometry = m_window.geometry();
    m_window.showFullScreen();
    QTimer::singleShot(kWindowManagerGraceMs, this, &FullScreen::coverIfIgnored);
}

void FullScreen::coverIfIgnored()
{
    const QRect screen = m_window.screen()->geometry();
    if (!m_window.isFullScreen() || m_window.geometry() == screen)
        return;
    m_coveredByUs = true;
    m_window.setGeometry(screen);
}

void FullScreen::leave()
{
    if (!m_window.isFullScreen())
        return;
    m_window.showNormal();
    if (m_coveredByUs)
        m_window.setGeometry(m_normalGeometry);
    m_coveredByUs = false;
}
