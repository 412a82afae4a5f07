#include "PressAndHold.h"

#include <QLineF>
#include <QTabletEvent>
#include <QTouchEvent>
#include <QWidget>

PressAndHold::PressAndHold(QWidget *watched) : QObject(watched)
{
    watched->installEventFilter(this);
}

void PressAndHold::pressAt(QPointF globalPos)
{
    m_origin = globalPos;
    m_hold.start(kHoldMs, this);
}

void PressAndHold::moveTo(QPointF globalPos)
{
    if (QLineF(m_origin, globalPos).length() > kStillWithinPx)
        m_hold.stop();
}

bool PressAndHold::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate: {
        const QList<QEventPoint> &points = static_cast<QTouchEvent *>(event)->points();
        if (points.size() > 1) // a second finger: a gesture, not a hold
            m_hold.stop();
        else if (event->type() == QEvent::TouchBegin && !points.isEmpty())
            pressAt(points.first().globalPosition());
        else if (!points.isEmpty())
            moveTo(points.first().globalPosition());
        break;
    }
    case QEvent::TabletPress:
        pressAt(static_cast<QTabletEvent *>(event)->globalPosition());
        break;
    case QEvent::TabletMove:
        moveTo(static_cast<QTabletEvent *>(event)->globalPosition());
        break;
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletRelease:
        m_hold.stop();
        break;
    default:
        break;
    }
    return false;
}

void PressAndHold::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_hold.timerId())
        return QObject::timerEvent(event);
    m_hold.stop();
    emit held(m_origin.toPoint());
}
