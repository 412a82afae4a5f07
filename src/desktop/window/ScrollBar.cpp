#include "ScrollBar.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProxyStyle>
#include <QStyleFactory>

namespace {

// The style's arrows are as wide as its own extent of a scroll bar.
class FingerSized : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        if (widget && (metric == PM_ScrollBarExtent || metric == PM_ScrollBarSliderMin))
            return widget->height();
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

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

ScrollBar::~ScrollBar() { setFingerSized(false); }

void ScrollBar::setFingerSized(bool on)
{
    if (on == (m_fingerStyle != nullptr))
        return;
    QStyle *before = m_fingerStyle;
    m_fingerStyle = on ? new FingerSized(QStyleFactory::create(QApplication::style()->name())) : nullptr;
    setStyle(m_fingerStyle);
    delete before;
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
