#include "Scriba.h"

#include "Convert.h"
#include "InkView.h"
#include "Lesson.h"
#include "PenTracker.h"
#include "Twips.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTabletEvent>
#include <QTouchEvent>

namespace {

// Which pointer a stroke belongs to: the mouse, a pen (each tablet tool is a
// device of its own) or one finger on one touch screen.
enum class PointerKind : PointerId { Mouse = 1, Pen = 2, Finger = 3 };
constexpr int kKindShift = 60;
constexpr PointerId kIdentityMask = (PointerId(1) << kKindShift) - 1;

PointerId pointerId(PointerKind kind, const QInputDevice *device, int point = 0)
{
    const PointerId identity = (PointerId(quintptr(device)) << 8) ^ PointerId(unsigned(point));
    return (PointerId(kind) << kKindShift) | (identity & kIdentityMask);
}

bool isKind(PointerId pointer, PointerKind kind) { return (pointer >> kKindShift) == PointerId(kind); }
bool isFinger(PointerId pointer) { return isKind(pointer, PointerKind::Finger); }
bool isPen(PointerId pointer) { return isKind(pointer, PointerKind::Pen); }
bool isAny(PointerId) { return true; }

const PointerId kMouse = pointerId(PointerKind::Mouse, nullptr);

} // namespace

Scriba::Scriba(int index, core::Lesson &lesson, const core::Twips &twips, QWidget *parent)
    : QWidget(parent), m_index(index), m_lesson(lesson), m_twips(twips)
{
    setAttribute(Qt::WA_AcceptTouchEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::CrossCursor);
    // Moves without a button must arrive too: they tell of a release that went elsewhere.
    setMouseTracking(true);
    // A pen that leaves while pressed sends no release.
    connect(&PenTracker::instance(), &PenTracker::penLeft, this, [this] {
        endPenStrokes();
        stopErasing();
    });
}

float Scriba::Width() const { return m_twips.twipsX(float(width())); }
float Scriba::Height() const { return m_twips.twipsY(float(height())); }

const core::InkLayer &Scriba::ink() const { return m_lesson.ink(m_index); }
core::InkCanvas &Scriba::canvas() { return m_lesson.ink().canvas(m_index); }

QColor Scriba::ForeColor() const { return Convert::toQt(m_lesson.pen(m_index)); }
void Scriba::setForeColor(const QColor &color) { m_lesson.setPen(m_index, Convert::toCore(color)); }

bool Scriba::movesSectors() const { return m_lesson.handMode() && m_index == m_lesson.animatedPage(); }

bool Scriba::down(PointerId pointer) const { return ink().drawing(pointer) || m_lesson.holdsSector(pointer); }

core::PointF Scriba::onPicture(QPointF pos) const { return Convert::toCore(pos - QPointF(m_pictureArea.topLeft())); }

void Scriba::dropSectors(bool (*which)(PointerId)) { m_lesson.dropSectorsWhere(which); }

void Scriba::showDirty() { update(Convert::toQt(canvas().takeDirty())); }

void Scriba::Clear()
{
    m_lesson.ink().clear(m_index);
    showDirty();
    emit RepaintRequest(m_index);
}

bool Scriba::undo()
{
    const bool done = m_lesson.ink().undo(m_index);
    showDirty();
    return done;
}

bool Scriba::redo()
{
    const bool done = m_lesson.ink().redo(m_index);
    showDirty();
    return done;
}

void Scriba::endStrokes()
{
    dropSectors(isAny);
    m_erasers.clear();
    m_lesson.ink().endAll(m_index);
    showDirty();
}

void Scriba::dropStillStrokes(QPointF pos, qreal radiusPx)
{
    m_lesson.ink().dropStillAt(m_index, Convert::toCore(pos), radiusPx);
    showDirty();
}

bool Scriba::restore(std::vector<core::Stroke> strokes)
{
    const bool done = m_lesson.ink().restore(m_index, core::InkLayer::prepare(std::move(strokes)));
    showDirty();
    return done;
}

void Scriba::RedrawRect(int x, int y, int width, int height)
{
    m_lastRedrawRect = QRect(x, y, width, height);
}

void Scriba::paintEvent(QPaintEvent *event)
{
    // The screen may have changed under the window; the cache follows it.
    if (canvas().devicePixelRatio() != devicePixelRatioF())
        place();
    QPainter painter(this);
    if (m_under)
        InkView::paint(painter, m_under->canvas(m_index), event->rect());
    InkView::paint(painter, canvas(), event->rect());
}

void Scriba::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    place();
}

// The pen and the eraser widen with the screen's density as the design's pixels do.
void Scriba::place()
{
    m_lesson.ink().resize(m_index, Convert::toCore(size()), devicePixelRatioF(), logicalDpiX() / core::Twips::kStandardDpi);
    if (m_under)
        m_under->resize(m_index, Convert::toCore(size()), devicePixelRatioF(), logicalDpiX() / core::Twips::kStandardDpi);
}

void Scriba::setUnder(core::LessonInk *under)
{
    m_under = under;
    place();
    update();
}

// A minimised window, a page switch or a hidden layer sends no release.
void Scriba::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    endStrokes();
}

void Scriba::press(PointerId pointer, QPointF pos, qreal widthFactor)
{
    if (movesSectors()) {
        m_lesson.grabSector(pointer, onPicture(pos), Convert::toCore(m_pictureArea.size()));
        return;
    }
    // A hidden widget gets its resize event only when shown.
    place();
    m_lesson.ink().begin(m_index, pointer, Convert::toCore(pos), widthFactor);
    showDirty();
}

void Scriba::move(PointerId pointer, QPointF pos, qreal widthFactor)
{
    if (m_lesson.holdsSector(pointer)) {
        m_lesson.moveSector(pointer, onPicture(pos), Convert::toCore(m_pictureArea.size()));
        return;
    }
    m_lesson.ink().extend(m_index, pointer, Convert::toCore(pos), widthFactor);
    showDirty();
}

void Scriba::release(PointerId pointer)
{
    if (m_lesson.dropSector(pointer))
        return;
    m_lesson.ink().end(m_index, pointer);
    showDirty();
}

void Scriba::erase(PointerId pointer, QPointF to)
{
    place();
    const auto from = m_erasers.find(pointer);
    m_lesson.ink().erase(m_index, Convert::toCore(from == m_erasers.end() ? to : from->second), Convert::toCore(to));
    m_erasers[pointer] = to;
    showDirty();
}

// Erasing by several pointers at once is one step.
void Scriba::stopErasing(PointerId pointer)
{
    m_erasers.erase(pointer);
    if (m_erasers.empty())
        m_lesson.ink().endErase(m_index);
}

void Scriba::stopErasing()
{
    m_erasers.clear();
    m_lesson.ink().endErase(m_index);
}

void Scriba::endPenStrokes()
{
    dropSectors(isPen);
    m_lesson.ink().endWhere(m_index, [](PointerId p) { return isKind(p, PointerKind::Pen); });
    showDirty();
}

void Scriba::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (m_lesson.erasing())
        erase(kMouse, event->position());
    else
        press(kMouse, event->position(), 1.0);
    // The release is lost when the window is unmapped and mapped again; any
    // later event that shows the button up, wherever it goes, ends the stroke.
    qApp->installEventFilter(this);
}

void Scriba::mouseMoveEvent(QMouseEvent *event)
{
    if (erasing(kMouse) && (event->buttons() & Qt::LeftButton))
        erase(kMouse, event->position());
    else if (event->buttons() & Qt::LeftButton)
        move(kMouse, event->position(), 1.0);
    else if (erasing(kMouse))
        stopErasing(kMouse);
    else if (down(kMouse))
        release(kMouse); // the release went elsewhere, to a popup or another grab
}

void Scriba::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && erasing(kMouse))
        stopErasing(kMouse);
    else if (event->button() == Qt::LeftButton)
        release(kMouse);
}

void Scriba::tabletEvent(QTabletEvent *event)
{
    PenTracker::instance().notePenActivity();
    // The lesson's eraser makes the tip an eraser end.
    const bool eraser = event->pointerType() == QPointingDevice::PointerType::Eraser || m_lesson.erasing();
    const PointerId pen = pointerId(PointerKind::Pen, event->pointingDevice());
    const qreal factor = core::InkLayer::widthFactorForPressure(event->pressure());
    switch (event->type()) {
    case QEvent::TabletPress:
        if (eraser)
            erase(pen, event->position());
        else
            press(pen, event->position(), factor);
        break;
    case QEvent::TabletMove:
        if (erasing(pen))
            erase(pen, event->position());
        else if (!eraser && (event->buttons() & Qt::LeftButton))
            move(pen, event->position(), factor);
        else if (down(pen))
            release(pen);
        break;
    case QEvent::TabletRelease:
        if (erasing(pen))
            stopErasing(pen);
        else
            release(pen);
        break;
    default:
        break;
    }
    event->accept();
}

// Each finger draws its own stroke; while a pen is near, touches are a palm.
void Scriba::touch(QTouchEvent *event)
{
    const bool ending = event->type() == QEvent::TouchEnd || event->type() == QEvent::TouchCancel;
    const auto fingers = [](PointerId p) { return isFinger(p); };
    if (PenTracker::instance().penNear()) {
        dropSectors(isFinger);
        m_lesson.ink().endWhere(m_index, fingers);
        showDirty();
        return;
    }
    for (const QEventPoint &point : event->points()) {
        const PointerId finger = pointerId(PointerKind::Finger, event->pointingDevice(), point.id());
        // Every sender sets the screen position; only Qt's own delivery sets the widget's.
        const QPointF at = mapFromGlobal(point.globalPosition());
        switch (point.state()) {
        case QEventPoint::Pressed:
            if (m_lesson.erasing())
                erase(finger, at);
            else
                press(finger, at, 1.0);
            break;
        case QEventPoint::Updated:
            if (erasing(finger))
                erase(finger, at);
            else
                move(finger, at, 1.0);
            break;
        case QEventPoint::Released:
            if (erasing(finger))
                stopErasing(finger);
            else
                release(finger);
            break;
        default:
            break;
        }
    }
    // A cancel arrives without points; an end leaves no finger down.
    if (ending) {
        dropSectors(isFinger);
        for (auto it = m_erasers.begin(); it != m_erasers.end();)
            it = fingers(it->first) ? m_erasers.erase(it) : std::next(it);
        if (m_erasers.empty())
            m_lesson.ink().endErase(m_index);
        m_lesson.ink().endWhere(m_index, fingers);
        showDirty();
    }
}

bool Scriba::eventFilter(QObject *watched, QEvent *event)
{
    bool up = false;
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::Enter:
        up = !(QGuiApplication::mouseButtons() & Qt::LeftButton);
        break;
    case QEvent::MouseMove:
        up = !(static_cast<QMouseEvent *>(event)->buttons() & Qt::LeftButton);
        break;
    default:
        break;
    }
    if (up && down(kMouse))
        release(kMouse);
    if (!down(kMouse))
        qApp->removeEventFilter(this);
    return QWidget::eventFilter(watched, event);
}

bool Scriba::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        // Accepted even when ignored, so no mouse events are made from it.
        event->accept();
        touch(static_cast<QTouchEvent *>(event));
        return true;
    case QEvent::WindowDeactivate:
        endStrokes();
        return QWidget::event(event);
    default:
        return QWidget::event(event);
    }
}
