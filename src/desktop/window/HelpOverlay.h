#pragma once

#include <QPointer>
#include <QWidget>

// The one-screen help over the whole window, light on dark in a large Gothic
// face for the back row. The next key or click only closes it: nothing under
// it, no shortcut, sees that key or click.
class HelpOverlay : public QWidget
{
    Q_OBJECT
public:
    explicit HelpOverlay(QWidget &window);

    // Covers the window and takes the keys.
    void open();
    // Gives the keys back to the control that had them.
    void dismiss();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    // The text's size in pixels at which every line fits the window.
    int fittingPixelSize() const;

    QPointer<QWidget> m_focusBefore;
};
