#pragma once

#include <QObject>
#include <QRect>

class QWidget;

// Full screen on and off. Where no window manager honours the request (a
// classroom kiosk started with xinit), the window covers its screen itself
// and goes back to where it was when full screen ends.
class FullScreen : public QObject
{
    Q_OBJECT
public:
    // Time a window manager gets to make the window cover its screen.
    static constexpr int kWindowManagerGraceMs = 300;

    explicit FullScreen(QWidget &window);

    void toggle();
    void leave();
    // Without a window manager Qt soon reads the window's state back as normal,
    // so a screen we covered ourselves counts as full screen too.
    bool active() const;

signals:
    // Entered or left, by the window manager or by us.
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void enter();
    void coverIfIgnored();

    QWidget &m_window;
    QRect m_normalGeometry;
    bool m_waitingForWindowManager = false;
    bool m_coveredByUs = false;
};
