#include "Scriba.h"

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

void Scriba::RedrawRect(int x, int y, int width, int height)
{
    m_lastRedrawRect = QRect(x, y, width, height);
}

void Scriba::paintEvent(QPaintEvent *event)
{
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

qreal Scriba::penWidth() const
{
    return kPenWidthAt96DpiPx * logicalDpiX() / 96.0;
}

void Scriba::press(const InkPoint &point)
{
    // A hidden widget gets its resize event only when shown.
    m_ink.resize(size(), devicePixelRatioF());
    update(m_ink.begin(point, m_foreColor, penWidth()));
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
    // Pressure stays 1 for now: a pen draws like the mouse.
    switch (event->type()) {
    case QEvent::TabletPress:
        press({event->position()});
        break;
    case QEvent::TabletMove:
        if (event->buttons() & Qt::LeftButton)
            move({event->position()});
        break;
    case QEvent::TabletRelease:
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
    case QEvent::TouchEnd: {
        auto *touch = static_cast<QTouchEvent *>(event);
        if (touch->points().isEmpty())
            return true;
        const QEventPoint &p = touch->points().first();
        if (event->type() == QEvent::TouchBegin)
            press({p.position()});
        else if (event->type() == QEvent::TouchUpdate)
            move({p.position()});
        else
            release();
        event->accept();
        return true;
    }
    default:
        return QWidget::event(event);
    }
}
