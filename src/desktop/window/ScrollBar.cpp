#include "ScrollBar.h"

#include <QKeyEvent>

ScrollBar::ScrollBar(int minimum, int maximum, int value, QWidget *parent) : QScrollBar(Qt::Horizontal, parent)
{
    setRange(minimum, maximum);
    setSingleStep(1);
    setPageStep(1);
    setFocusPolicy(Qt::StrongFocus);
    setValue(value);
    connect(this, &QScrollBar::sliderPressed, this, [this] { m_valueAtPress = this->value(); });
    connect(this, &QScrollBar::valueChanged, this, [this] {
        if (isSliderDown())
            emit Scroll();
        else
            emit Change();
    });
    connect(this, &QScrollBar::sliderReleased, this, [this] {
        if (this->value() != m_valueAtPress)
            emit Change();
    });
}

// The style's scroll bar ignores the arrow keys; a teacher at the keyboard expects them.
void ScrollBar::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        triggerAction(SliderSingleStepSub);
        break;
    case Qt::Key_Right:
    case Qt::Key_Up:
        triggerAction(SliderSingleStepAdd);
        break;
    default:
        QScrollBar::keyPressEvent(event);
    }
}
