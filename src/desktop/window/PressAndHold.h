#pragma once

#include "Timings.h"

#include <QBasicTimer>
#include <QObject>
#include <QPointF>

class QWidget;

// Tells when a finger or a pen stays still on a widget for a moment: a touch
// screen's right click. It only watches; the widget still gets every event.
class PressAndHold : public QObject
{
    Q_OBJECT
public:
    static constexpr int kHoldMs = core::Timings::kHoldMs;
    static constexpr qreal kStillWithinPx = core::Timings::kHoldStillPx;

    explicit PressAndHold(QWidget *watched);

signals:
    void held(QPoint globalPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    void pressAt(QPointF globalPos);
    void moveTo(QPointF globalPos);

    QBasicTimer m_hold;
    QPointF m_origin;
};
