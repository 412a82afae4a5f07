#include "PictureBox.h"

#include "Convert.h"
#include "PageImage.h"

#include <QPaintEvent>
#include <QPainter>

PictureBox::PictureBox(const QColor &background, ViewSource view, QWidget *parent)
    : QFrame(parent), m_view(std::move(view))
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(kFramePx);
    QPalette p = palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
    // The frame and the kept picture cover every pixel.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void PictureBox::drawPicture()
{
    const QSize inner = contentsRect().size().expandedTo(QSize(0, 0));
    const qreal ratio = devicePixelRatioF();
    const core::PageView view = m_view(Convert::toCore(inner));
    const QSize device = (QSizeF(inner) * ratio).toSize();
    if (m_drawn == view && m_picture.size() == device && m_picture.devicePixelRatio() == ratio)
        return;
    if (m_picture.size() != device)
        m_picture = QImage(device, QImage::Format_RGB32);
    m_picture.setDevicePixelRatio(ratio);
    m_drawn = view;
    if (!m_picture.isNull())
        PageImage::renderInto(m_picture, view);
}

const QImage &PictureBox::picture()
{
    drawPicture();
    return m_picture;
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    // A pen's segment repaints a few pixels inside: the frame needs no painter then.
    if (!contentsRect().contains(event->rect()))
        QFrame::paintEvent(event);
    drawPicture();
    const QRect inner = contentsRect();
    const QRect exposed = event->rect() & inner;
    if (!exposed.isEmpty() && !m_picture.isNull()) {
        QPainter painter(this);
        const qreal ratio = m_picture.devicePixelRatio();
        const QRectF source(QPointF(exposed.topLeft() - inner.topLeft()) * ratio, QSizeF(exposed.size()) * ratio);
        painter.drawImage(QRectF(exposed), m_picture, source);
    }
    emit Paint();
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    emit Resize();
}
