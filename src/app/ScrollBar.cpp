#include "ScrollBar.h"

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
