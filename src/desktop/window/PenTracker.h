#pragma once

#include "Timings.h"

#include <QElapsedTimer>
#include <QObject>

// Knows whether a pen is near the screen, so a palm resting on it does not
// draw. Proximity events go to the application, not to a widget; a pen that
// moved or touched lately counts as near too, for drivers that send none.
class PenTracker : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 kRecentPenMs = core::Timings::kPenRecentMs;

    static PenTracker &instance();

    bool penNear() const;
    void notePenActivity() { m_lastActivity.start(); }

signals:
    // A pen left the screen's reach; one still pressed sends no release.
    void penLeft();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    PenTracker();
    bool m_inProximity = false;
    QElapsedTimer m_lastActivity;
};
