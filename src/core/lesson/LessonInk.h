#pragma once

#include "InkLayer.h"
#include "LineWeight.h"
#include "Rect.h"
#include "Size.h"

#include <functional>
#include <memory>
#include <vector>

namespace core {

class Lesson;

// Every page's ink and the commands that change it: a stroke per pointer in
// the page's pen, the pen and the eraser as wide as the line weight makes
// them, and clear, undo, redo and restore, each a step of the page's history.
// A front-end places each page's canvas and shows its pixels; it changes ink
// only through these, and the lesson hears once of each change of finished strokes.
class LessonInk
{
public:
    LessonInk(const Lesson &lesson, std::function<void(int page)> changed);
    ~LessonInk();

    // A page the lesson does not have is ignored by every command, and gives the last page's.
    const InkLayer &layer(int page) const { return *m_pages[index(page)].layer; }
    InkCanvas &canvas(int page) { return m_pages[index(page)].layer->canvas(); }

    // The page's overlay: its size in logical pixels, their device pixel
    // ratio, and how many of them make a pixel of a 96-dpi screen.
    void resize(int page, Size logical, double devicePixelRatio, double perDesignPx = 1);
    // Where the figure's inner area lies on the overlay; whether that moved the ink.
    bool place(int page, const Rect &inner);

    // Pointer input in the overlay's logical pixels.
    bool begin(int page, PointerId pointer, PointF pos, double widthFactor);
    void extend(int page, PointerId pointer, PointF pos, double widthFactor);
    void end(int page, PointerId pointer);
    template <typename Pred>
    void endWhere(int page, Pred matches);
    // Every stroke being drawn ends, and the eraser's gesture too.
    void endAll(int page);
    void dropStillAt(int page, PointF pos, double radiusPx);
    // The eraser from one point to the next; a gesture is one step until endErase.
    bool erase(int page, PointF from, PointF to);
    void endErase(int page);
    bool clear(int page);
    bool undo(int page);
    bool redo(int page);
    bool restore(int page, InkLayer::Prepared strokes);
    // Exactly these strokes with no history: a copy of another device's page.
    void replace(int page, std::vector<Stroke> strokes);

    double penWidthPx(int page) const;
    double eraserRadiusPx(int page) const;
    void setWeight(LineWeight weight);
    // The fills under a placed page's ink (every page's when none is given),
    // as the lesson shows the page now.
    void follow(int page = kEveryPage);
    static constexpr int kEveryPage = -1;

private:
    struct Page
    {
        std::unique_ptr<InkLayer> layer;
        Rect inner;
        bool placed = false;
        double perDesignPx = 1;
        std::uint64_t toldAt = 0;
    };

    bool has(int page) const { return page >= 0 && page < int(m_pages.size()); }
    std::size_t index(int page) const { return has(page) ? std::size_t(page) : m_pages.size() - 1; }
    void note(int page);
    void ground(int page);

    const Lesson &m_lesson;
    std::function<void(int)> m_changed;
    std::vector<Page> m_pages;
};

template <typename Pred>
void LessonInk::endWhere(int page, Pred matches)
{
    if (!has(page))
        return;
    m_pages[index(page)].layer->endWhere(matches);
    note(page);
}

} // namespace core
