#include "Swatch.h"

#include <QMouseEvent>

Swatch::Swatch(const QColor &color, QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    setBackColor(color);
}

void Swatch::setBackColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
}

void Swatch::mouseReleaseEvent(QMouseEvent *event)
{
    // A press dragged off the swatch is no click.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
    QFrame::mouseReleaseEvent(event);
}
