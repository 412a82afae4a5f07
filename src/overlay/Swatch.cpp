#include "Swatch.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {

QString colourName(const QColor &c)
{
    if (c == QColor(255, 255, 255))
        return QStringLiteral("白");
    if (c == QColor(255, 0, 0))
        return QStringLiteral("赤");
    if (c == QColor(0, 0, 255))
        return QStringLiteral("青");
    return c.name();
}

} // namespace

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
    setAccessibleDescription(QStringLiteral("ペンの色: ") + colourName(color));
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
