#pragma once

#include <QScrollBar>

// A horizontal scroll bar with two events: Scroll while the thumb is dragged,
// and Change for every other change of value (arrows, track, code) and at the
// end of a drag that moved the value.
class ScrollBar : public QScrollBar
{
    Q_OBJECT
public:
    ScrollBar(int minimum, int maximum, int value, QWidget *parent = nullptr);
    ~ScrollBar() override;
    // Arrows and thumb as long as the bar is high, for a finger; off: the style's own.
    void setFingerSized(bool on);

signals:
    void Change();
    void Scroll();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_valueAtPress = 0;
    QStyle *m_fingerStyle = nullptr;
};
