#pragma once

#include <QApplication>
#include <QPointingDevice>
#include <QTabletEvent>
#include <QWidget>

// Synthetic pen input: the drawing tip or the eraser end.
class Pen
{
public:
    explicit Pen(QPointingDevice::PointerType end = QPointingDevice::PointerType::Pen)
        : m_device("pen", 1, QInputDevice::DeviceType::Stylus, end,
                   QInputDevice::Capability::Position | QInputDevice::Capability::Pressure, 1, 3)
    {
    }

    void stroke(QWidget *w, const QList<QPoint> &points, qreal pressure = 0.5)
    {
        down(w, points, pressure);
        send(w, QEvent::TabletRelease, points.back(), 0, Qt::NoButton);
    }
    // Pressed and moved, not lifted.
    void down(QWidget *w, const QList<QPoint> &points, qreal pressure = 0.5)
    {
        for (qsizetype i = 0; i < points.size(); ++i)
            send(w, i == 0 ? QEvent::TabletPress : QEvent::TabletMove, points[i], pressure, Qt::LeftButton);
    }
    void proximity(bool near)
    {
        QTabletEvent e(near ? QEvent::TabletEnterProximity : QEvent::TabletLeaveProximity, &m_device, QPointF(),
                       QPointF(), 0, 0, 0, 0, 0, 0, Qt::NoModifier, Qt::NoButton, Qt::NoButton);
        QApplication::sendEvent(qApp, &e);
    }

    void send(QWidget *w, QEvent::Type type, QPointF p, qreal pressure, Qt::MouseButtons buttons)
    {
        QTabletEvent e(type, &m_device, p, w->mapToGlobal(p), pressure, 0, 0, 0, 0, 0, Qt::NoModifier, Qt::LeftButton,
                       buttons);
        QApplication::sendEvent(w, &e);
    }

private:

    QPointingDevice m_device;
};
