#include "Timer.h"

Timer::Timer(int intervalMs, QObject *parent) : QObject(parent)
{
    m_timer.setInterval(intervalMs);
    // A busy machine may delay a tick, nothing may bring one early: a coarse
    // timer fires up to 5 % before its interval to share a wake-up.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &Timer::Tick);
}

void Timer::setEnabled(bool enabled)
{
    // Enabling a running timer leaves its phase alone.
    if (enabled && !m_timer.isActive())
        m_timer.start();
    else if (!enabled)
        m_timer.stop();
}
