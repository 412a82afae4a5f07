#pragma once

#include "InkLayer.h"
#include "InkPen.h"

#include <QColor>
#include <QWidget>

#include <map>

class QTouchEvent;

namespace core {
class Lesson;
class LessonInk;
class Twips;
} // namespace core

using core::PointerId;

// A transparent freehand-drawing layer over a page's picture, showing and
// feeding that page's ink in the lesson. The mouse, each pen and each finger
// draw their own stroke, each in the page's pen colour when it began; strokes
// stay on the page's figure when the window changes size.
class Scriba : public QWidget
{
    Q_OBJECT
public:
    static constexpr qreal kPenWidthAt96DpiPx = core::InkPen::kWidthAt96DpiPx;
    static constexpr qreal kEraserRadiusAt96DpiPx = core::InkPen::kEraserRadiusAt96DpiPx;

    Scriba(int index, core::Lesson &lesson, const core::Twips &twips, QWidget *parent = nullptr);

    int index() const { return m_index; }
    // The page's pen.
    QColor ForeColor() const;
    void setForeColor(const QColor &color);

    // The picture's inner area on this layer, in its pixels, where the sectors moved by hand are.
    void setPictureArea(const QRect &inner) { m_pictureArea = inner; }

    // Size in twips, as the page reports its controls.
    float Width() const;
    float Height() const;

    // Erases every stroke, then asks for the figure under it to be repainted.
    void Clear();
    // Shows the strokes again over the figure just painted. The backing store
    // already draws this layer above the picture in the same pass, so nothing
    // is scheduled: a repaint asked from here would repaint the picture under
    // this transparent layer, which would call this again, for ever.
    void RedrawRect(int x, int y, int width, int height);
    QRect lastRedrawRect() const { return m_lastRedrawRect; }

    // Ink history of this page: strokes, clears and erasures, one step each.
    bool undo();
    bool redo();
    // Every stroke still being drawn ends here, as one step each.
    void endStrokes();
    // A press held still to open a menu leaves no dot.
    void dropStillStrokes(QPointF pos, qreal radiusPx);
    // Puts saved strokes back on the page as one undoable step.
    bool restore(std::vector<core::Stroke> strokes);
    // Repaints where the ink changed, whoever changed it.
    void showDirty();

    const core::InkLayer &ink() const;
    core::InkCanvas &canvas();
    // Ink shown under this page's own and placed with it: a class's teacher's on a pupil's screen.
    void setUnder(core::LessonInk *under);

signals:
    void RepaintRequest(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void tabletEvent(QTabletEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void press(PointerId pointer, QPointF pos, qreal widthFactor);
    void move(PointerId pointer, QPointF pos, qreal widthFactor);
    void release(PointerId pointer);
    // Each pointer erasing (a pen's eraser end, or any pointer while the lesson's eraser is up).
    void erase(PointerId pointer, QPointF to);
    bool erasing(PointerId pointer) const { return m_erasers.count(pointer) != 0; }
    void stopErasing(PointerId pointer);
    void stopErasing();
    void touch(QTouchEvent *event);
    void endPenStrokes();
    void place();
    // In the hand mode the animated page's pointers move sectors instead of writing.
    bool movesSectors() const;
    bool down(PointerId pointer) const;
    core::PointF onPicture(QPointF pos) const;
    void dropSectors(bool (*which)(PointerId));

    int m_index;
    core::Lesson &m_lesson;
    core::LessonInk *m_under = nullptr;
    const core::Twips &m_twips;
    QRect m_lastRedrawRect;
    std::map<PointerId, QPointF> m_erasers;
    QRect m_pictureArea;
};
