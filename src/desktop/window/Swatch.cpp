#include "Swatch.h"

#include "Convert.h"
#include "PenPalette.h"

#include "AidFont.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {

const QString kSharedMark = QStringLiteral("全ページ");
// The mark's letters against the swatch's inner height, and its gap from the right edge in letter heights.
constexpr qreal kMarkShareOfHeight = 0.7;
constexpr qreal kMarkInsetLetters = 0.5;

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
    describe();
}

void Swatch::setShared(bool shared)
{
    if (shared == m_shared)
        return;
    m_shared = shared;
    describe();
    update();
}

void Swatch::describe()
{
    setAccessibleDescription(QStringLiteral("ペンの色: ") +
                             Convert::toQt(core::PenPalette::nameOf(Convert::toCore(BackColor()))) +
                             (m_shared ? QStringLiteral("（すべてのページで同じ色）") : QString()));
}

// Unshared, the swatch is the frame and its colour alone.
void Swatch::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (!m_shared)
        return;
    const QRect inner = contentsRect();
    const int letterPx = int(std::lround(inner.height() * kMarkShareOfHeight));
    QPainter painter(this);
    painter.setFont(AidFont::font(letterPx));
    painter.setPen(Convert::toQt(core::PenPalette::markOn(Convert::toCore(BackColor()))));
    const int inset = int(std::lround(letterPx * kMarkInsetLetters));
    painter.drawText(inner.adjusted(inset, 0, -inset, 0), Qt::AlignRight | Qt::AlignVCenter, kSharedMark);
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
