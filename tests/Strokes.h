#pragma once

#include <QMouseEvent>
#include <QPointingDevice>
#include <QTest>
#include <QWidget>

// Draws one stroke with the mouse through real events.
inline void mouseStroke(QWidget *w, const QList<QPoint> &points)
{
    const auto send = [w](QEvent::Type type, QPoint p, Qt::MouseButtons buttons) {
        QMouseEvent e(type, p, w->mapToGlobal(p), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    };
    send(QEvent::MouseButtonPress, points.front(), Qt::LeftButton);
    for (qsizetype i = 1; i < points.size(); ++i)
        send(QEvent::MouseMove, points[i], Qt::LeftButton);
    send(QEvent::MouseButtonRelease, points.back(), Qt::NoButton);
}
