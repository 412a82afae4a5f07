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

signals:
    void Change();
    void Scroll();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_valueAtPress = 0;
};
