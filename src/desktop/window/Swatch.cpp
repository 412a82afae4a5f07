#include "Swatch.h"

#include "Convert.h"
#include "PenPalette.h"

#include <QKeyEvent>
#include <QMouseEvent>

Swatch::Swatch(const QColor &color, QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    setBackColor(color);
}

void Swatch::setBackColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
    setAccessibleDescription(QStringLiteral("ペンの色: ") + Convert::toQt(core::PenPalette::nameOf(Convert::toCore(color))));
}

void Swatch::mouseReleaseEvent(QMouseEvent *event)
{
    // A press dragged off the swatch is no click.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
    QFrame::mouseReleaseEvent(event);
}

void Swatch::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit Click();
    else
        QFrame::keyPressEvent(event);
}
