#include "PenTracker.h"

#include <QCoreApplication>
#include <QEvent>

PenTracker &PenTracker::instance()
{
    static PenTracker *tracker = new PenTracker; // lives as long as the application
    return *tracker;
}

PenTracker::PenTracker() : QObject(QCoreApplication::instance())
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool PenTracker::penNear() const
{
    return m_inProximity || (m_lastActivity.isValid() && m_lastActivity.elapsed() < kRecentPenMs);
}

bool PenTracker::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::TabletEnterProximity)
        m_inProximity = true;
    else if (event->type() == QEvent::TabletLeaveProximity) {
        m_inProximity = false;
        m_lastActivity.invalidate();
        emit penLeft();
    }
    return QObject::eventFilter(watched, event);
}
