#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <map>

// Counts the paint events that reach a widget, or every widget when it watches
// the application, and can run a callback as the first one arrives.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QObject *watched);
    ~PaintWatch() override;

    void onFirstPaint(std::function<void()> callback) { m_onFirst = std::move(callback); }
    int count() const { return m_count; }
    // Class and object name of each widget painted, with its count.
    const std::map<QString, int> &byWidget() const { return m_byWidget; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QObject *m_watched;
    std::function<void()> m_onFirst;
    int m_count = 0;
    std::map<QString, int> m_byWidget;
};
