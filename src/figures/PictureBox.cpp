#include "PictureBox.h"

#include "PainterDrawOps.h"

#include <QPainter>

PictureBox::PictureBox(const QColor &background, QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(kFramePx);
    QPalette p = palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    // Frame: the erase to the background has already happened.
    QFrame::paintEvent(event);

    // Figure: clipped to the inner area, whose top-left pixel is the origin.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect inner = contentsRect();
    painter.setClipRect(inner);
    painter.translate(inner.topLeft());
    PainterDrawOps ops(painter, m_state, ScaleWidth(), ScaleHeight(), m_fastWideLines);
    emit Paint(ops);
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    emit Resize();
}
