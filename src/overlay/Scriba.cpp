#include "Scriba.h"

#include "PenTracker.h"
#include "Twips.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTabletEvent>
#include <QTouchEvent>

Scriba::Scriba(int index, const Twips &twips, QWidget *parent) : QWidget(parent), m_index(index), m_twips(twips)
{
    setAttribute(Qt::WA_AcceptTouchEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::CrossCursor);
}

float Scriba::Width() const { return m_twips.twipsX(float(width())); }
float Scriba::Height() const { return m_twips.twipsY(float(height())); }

void Scriba::Clear()
{
    m_ink.clear();
    update();
    emit RepaintRequest(m_index);
}

bool Scriba::undo()
{
    if (!m_ink.undo())
        return false;
    update();
    return true;
}

bool Scriba::redo()
{
    if (!m_ink.redo())
        return false;
    update();
    return true;
}

void Scriba::RedrawRect(int x, int y, int width, int height)
{
    m_lastRedrawRect = QRect(x, y, width, height);
}

void Scriba::paintEvent(QPaintEvent *event)
{
    // The screen may have changed under the window; the cache follows it.
    if (m_ink.image().devicePixelRatio() != devicePixelRatioF())
        m_ink.resize(size(), devicePixelRatioF());

    QPainter painter(this);
    const QRect r = event->rect();
    const qreal ratio = m_ink.image().devicePixelRatio();
    const QRectF source(QPointF(r.topLeft()) * ratio, QSizeF(r.size()) * ratio);
    painter.drawImage(QRectF(r), m_ink.image(), source);
}

void Scriba::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_ink.resize(size(), devicePixelRatioF());
}

qreal Scriba::atScreenDpi(qreal pixelsAt96Dpi) const
{
    return pixelsAt96Dpi * logicalDpiX() / Twips::kStandardDpi;
}

void Scriba::press(const InkPoint &point)
{
    // A hidden widget gets its resize event only when shown.
    m_ink.resize(size(), devicePixelRatioF());
    update(m_ink.begin(point, m_foreColor, m_lineWeight * atScreenDpi(kPenWidthAt96DpiPx)));
}

void Scriba::erase(QPointF to)
{
    m_ink.resize(size(), devicePixelRatioF());
    if (m_ink.eraseAlong(m_eraserAt.value_or(to), to, m_lineWeight * atScreenDpi(kEraserRadiusAt96DpiPx)))
        update();
    m_eraserAt = to;
}

void Scriba::move(const InkPoint &point)
{
    if (m_ink.drawing())
        update(m_ink.extend(point));
}

void Scriba::release() { m_ink.end(); }

void Scriba::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        press({event->position()});
}

void Scriba::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        move({event->position()});
}

void Scriba::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        release();
}

void Scriba::tabletEvent(QTabletEvent *event)
{
    PenTracker::instance().notePenActivity();
    const bool eraser = event->pointerType() == QPointingDevice::PointerType::Eraser;
    const InkPoint point{event->position(), InkLayer::widthFactorForPressure(event->pressure())};
    switch (event->type()) {
    case QEvent::TabletPress:
        if (eraser)
            erase(point.pos);
        else
            press(point);
        break;
    case QEvent::TabletMove:
        if (eraser && m_eraserAt)
            erase(point.pos);
        else if (!eraser && (event->buttons() & Qt::LeftButton))
            move(point);
        break;
    case QEvent::TabletRelease:
        m_eraserAt.reset();
        m_ink.endErase();
        release();
        break;
    default:
        break;
    }
    event->accept();
}

bool Scriba::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel: {
        // Accepted even when ignored, so no mouse events are made from it.
        event->accept();
        auto *touch = static_cast<QTouchEvent *>(event);
        if (event->type() == QEvent::TouchBegin)
            m_touchDrawing = !PenTracker::instance().penNear();
        if (!m_touchDrawing || touch->points().isEmpty())
            return true;
        if (event->type() == QEvent::TouchEnd || event->type() == QEvent::TouchCancel) {
            m_touchDrawing = false;
            release();
        } else if (PenTracker::instance().penNear()) {
            // The pen came near mid-stroke: what touches now is a palm.
            m_touchDrawing = false;
            release();
        } else if (event->type() == QEvent::TouchBegin) {
            press({touch->points().first().position()});
        } else {
            move({touch->points().first().position()});
        }
        return true;
    }
    default:
        return QWidget::event(event);
    }
}
