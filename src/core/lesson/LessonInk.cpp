#include "LessonInk.h"

#include "InkPen.h"
#include "Lesson.h"
#include "PageRenderer.h"
#include "PageTable.h"

#include <algorithm>
#include <cmath>

namespace core {

namespace {

// A screen denser than this many pixels to one of a 96-dpi screen is a driver's error.
constexpr double kDensestScreen = 16;
constexpr int kFarthestPx = InkCanvas::kLargestDevicePx;

Rect heldIn(const Rect &inner)
{
    const auto at = [](int v) { return std::clamp(v, -kFarthestPx, kFarthestPx); };
    const auto across = [](int v) { return std::clamp(v, 0, kFarthestPx); };
    return Rect(at(inner.x()), at(inner.y()), across(inner.width()), across(inner.height()));
}

} // namespace

LessonInk::LessonInk(const Lesson &lesson, std::function<void(int)> changed)
    : m_lesson(lesson), m_changed(std::move(changed)), m_pages(std::size_t(PageTable::count()))
{
    for (Page &p : m_pages)
        p.layer = std::make_unique<InkLayer>();
}

LessonInk::~LessonInk() = default;

void LessonInk::note(int page)
{
    Page &p = m_pages[index(page)];
    if (p.layer->changes() == p.toldAt)
        return;
    p.toldAt = p.layer->changes();
    m_changed(page);
}

// ---------------------------------------------------------------- placement

void LessonInk::resize(int page, Size logical, double devicePixelRatio, double perDesignPx)
{
    if (!has(page))
        return;
    Page &p = m_pages[index(page)];
    p.layer->resize(logical, devicePixelRatio);
    p.perDesignPx = std::isfinite(perDesignPx) && perDesignPx > 0 ? std::min(perDesignPx, kDensestScreen) : 1.0;
}

bool LessonInk::place(int page, const Rect &inner)
{
    if (!has(page))
        return false;
    Page &p = m_pages[index(page)];
    p.inner = heldIn(inner);
    p.placed = true;
    Similarity frame = PageRenderer::inkFrame(page, float(p.inner.width()), float(p.inner.height()));
    frame.origin += PointF(p.inner.x(), p.inner.y());
    const bool moved = !(frame == p.layer->frame());
    p.layer->setFrame(frame);
    ground(page);
    return moved;
}

void LessonInk::ground(int page)
{
    Page &p = m_pages[index(page)];
    if (p.placed)
        p.layer->canvas().setGround(
            PageRenderer::inkGround(m_lesson.view(page, p.inner.size()), PointF(p.inner.x(), p.inner.y())));
}

void LessonInk::follow(int page)
{
    if (has(page))
        ground(page);
    else if (page == kEveryPage)
        for (int p = 0; p < int(m_pages.size()); ++p)
            ground(p);
}

void LessonInk::setWeight(LineWeight weight)
{
    for (Page &p : m_pages)
        p.layer->setEdged(weight.factor() > 1);
}

double LessonInk::penWidthPx(int page) const
{
    return m_lesson.weight().factor() * InkPen::kWidthAt96DpiPx * m_pages[index(page)].perDesignPx;
}

double LessonInk::eraserRadiusPx(int page) const
{
    return m_lesson.weight().factor() * InkPen::kEraserRadiusAt96DpiPx * m_pages[index(page)].perDesignPx;
}

// ---------------------------------------------------------------- strokes

bool LessonInk::begin(int page, PointerId pointer, PointF pos, double widthFactor)
{
    if (!has(page))
        return false;
    const bool began = m_pages[index(page)].layer->begin(pointer, pos, widthFactor, m_lesson.pen(page), penWidthPx(page));
    note(page);
    return began;
}

void LessonInk::extend(int page, PointerId pointer, PointF pos, double widthFactor)
{
    if (has(page))
        m_pages[index(page)].layer->extend(pointer, pos, widthFactor);
}

void LessonInk::end(int page, PointerId pointer)
{
    if (!has(page))
        return;
    m_pages[index(page)].layer->end(pointer);
    note(page);
}

void LessonInk::endAll(int page)
{
    if (!has(page))
        return;
    m_pages[index(page)].layer->endAll();
    m_pages[index(page)].layer->endErase();
    note(page);
}

void LessonInk::dropStillAt(int page, PointF pos, double radiusPx)
{
    if (has(page))
        m_pages[index(page)].layer->dropStillAt(pos, radiusPx);
}

bool LessonInk::erase(int page, PointF from, PointF to)
{
    if (!has(page))
        return false;
    const bool erased = m_pages[index(page)].layer->eraseAlong(from, to, eraserRadiusPx(page));
    note(page);
    return erased;
}

void LessonInk::endErase(int page)
{
    if (has(page))
        m_pages[index(page)].layer->endErase();
}

// ---------------------------------------------------------------- whole-page steps

bool LessonInk::clear(int page)
{
    if (!has(page))
        return false;
    const bool done = m_pages[index(page)].layer->clear();
    note(page);
    return done;
}

bool LessonInk::undo(int page)
{
    if (!has(page))
        return false;
    const bool done = m_pages[index(page)].layer->undo();
    note(page);
    return done;
}

bool LessonInk::redo(int page)
{
    if (!has(page))
        return false;
    const bool done = m_pages[index(page)].layer->redo();
    note(page);
    return done;
}

void LessonInk::replace(int page, std::vector<Stroke> strokes)
{
    if (!has(page))
        return;
    m_pages[index(page)].layer->replace(std::move(strokes));
    note(page);
}

bool LessonInk::restore(int page, InkLayer::Prepared strokes)
{
    if (!has(page))
        return false;
    const bool done = m_pages[index(page)].layer->restore(std::move(strokes));
    note(page);
    return done;
}

} // namespace core
