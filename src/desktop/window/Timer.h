#pragma once

#include <QObject>
#include <QTimer>

// A timer whose enabled flag is its whole state: enabled means it ticks.
class Timer : public QObject
{
    Q_OBJECT
public:
    explicit Timer(int intervalMs, QObject *parent = nullptr);

    bool Enabled() const { return m_timer.isActive(); }
    void setEnabled(bool enabled);
    int Interval() const { return m_timer.interval(); }

signals:
    void Tick();

private:
    QTimer m_timer;
};
