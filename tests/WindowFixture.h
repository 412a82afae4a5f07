#pragma once

#include "Tamsel.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <map>

// Counts paint events per widget, for tests of what repaints and what stays idle.
class PaintCounter : public QObject
{
public:
    PaintCounter() { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }

    int of(const QObject *o) const { return m_counts.count(o) ? m_counts.at(o) : 0; }
    int total() const
    {
        int sum = 0;
        for (const auto &[o, n] : m_counts)
            sum += n;
        return sum;
    }
    void reset() { m_counts.clear(); }

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            ++m_counts[o];
        return false;
    }

private:
    std::map<const QObject *, int> m_counts;
};

inline bool showWindow(Tamsel &w)
{
    w.show();
    return QTest::qWaitForWindowExposed(&w);
}
