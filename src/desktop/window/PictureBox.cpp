#include "PictureBox.h"

#include "ChangedArea.h"
#include "Convert.h"
#include "PageImage.h"
#include "PageRenderer.h"
#include "QtTextMeasure.h"

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
    const bool sameSurface = m_drawn && m_picture.size() == device && m_picture.devicePixelRatio() == ratio;
    if (sameSurface && m_drawn == view)
        return;
    if (m_picture.size() != device)
        m_picture = QImage(device, QImage::Format_RGB32);
    m_picture.setDevicePixelRatio(ratio);
    m_drawn = view;
    auto calls = std::make_unique<core::DrawList>(float(view.inner.width()), float(view.inner.height()));
    core::PageRenderer::paint(*calls, view, QtTextMeasure::instance());
    const std::optional<std::vector<core::Rect>> changed =
        sameSurface && m_calls ? core::ChangedArea::between(*m_calls, *calls) : std::nullopt;
    if (!m_picture.isNull())
        PageImage::redraw(m_picture, view, *calls, changed.value_or(std::vector<core::Rect>{}));
    if (changed) {
        for (const core::Rect &r : *changed)
            m_unshown += Convert::toQt(r);
    } else {
        m_unshownWhole = true;
    }
    m_calls = std::move(calls);
}

void PictureBox::Refresh()
{
    drawPicture();
    if (!m_unshownWhole && !m_unshown.isEmpty())
        repaint(m_unshown.translated(contentsRect().topLeft()));
    else
        repaint();
    m_unshown = QRegion();
    m_unshownWhole = false;
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
