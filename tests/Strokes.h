#pragma once

#include <QMouseEvent>
#include <QPointingDevice>
#include <QTest>
#include <QWidget>

inline void sendMouse(QWidget *w, QEvent::Type type, QPoint p, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, p, w->mapToGlobal(p), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// Presses and drags the mouse through real events, without letting go.
inline void mouseDown(QWidget *w, const QList<QPoint> &points)
{
    sendMouse(w, QEvent::MouseButtonPress, points.front(), Qt::LeftButton);
    for (qsizetype i = 1; i < points.size(); ++i)
        sendMouse(w, QEvent::MouseMove, points[i], Qt::LeftButton);
}

// Draws one stroke with the mouse through real events.
inline void mouseStroke(QWidget *w, const QList<QPoint> &points)
{
    mouseDown(w, points);
    sendMouse(w, QEvent::MouseButtonRelease, points.back(), Qt::NoButton);
}
