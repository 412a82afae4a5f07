#pragma once

#include <QPointer>
#include <QWidget>

// A ring over the inside edge of the window's focused control (on a tab bar,
// of its current tab), so keyboard focus shows on every control and on the
// swatch whatever its colour: a band of the highlight colour lined with white.
class FocusRing : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kBandPx = 3;
    static constexpr int kLiningPx = 1;
    static inline const QColor kLining{255, 255, 255};

    explicit FocusRing(QWidget &window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void follow(QWidget *focused);
    void place();

    QWidget &m_window;
    QPointer<QWidget> m_control;
    QMetaObject::Connection m_tabChanged;
};
