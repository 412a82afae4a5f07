#include "WebInk.h"

#include "Lesson.h"
#include "StraightRgba.h"

#include <emscripten/val.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kKindShift = 32;

core::Rect scaled(const core::Rect &logical, double ratio)
{
    const double left = std::floor(logical.x() * ratio), top = std::floor(logical.y() * ratio);
    const double right = std::ceil((logical.x() + logical.width()) * ratio);
    const double bottom = std::ceil((logical.y() + logical.height()) * ratio);
    return core::Rect(int(left), int(top), int(right - left), int(bottom - top));
}

} // namespace

core::PointerId WebInk::pointer(int kind, int id)
{
    return (core::PointerId(unsigned(kind)) << kKindShift) | core::PointerId(std::uint32_t(id));
}

core::InkCanvas &WebInk::canvas(int page) { return m_lesson.ink().canvas(page); }

bool WebInk::place(int page, int width, int height, double pixelRatio, int innerWidth, int innerHeight, int innerX,
                   int innerY)
{
    const core::InkCanvas &layer = canvas(page);
    const core::Size before = layer.size();
    const double ratioBefore = layer.devicePixelRatio();
    m_lesson.ink().resize(page, core::Size(width, height), pixelRatio);
    const bool moved = m_lesson.ink().place(page, core::Rect(innerX, innerY, innerWidth, innerHeight));
    return moved || layer.size() != before || layer.devicePixelRatio() != ratioBefore;
}

bool WebInk::begin(int page, int kind, int id, double x, double y, double widthFactor)
{
    return m_lesson.ink().begin(page, pointer(kind, id), {x, y}, widthFactor);
}

void WebInk::extend(int page, int kind, int id, double x, double y, double widthFactor)
{
    m_lesson.ink().extend(page, pointer(kind, id), {x, y}, widthFactor);
}

void WebInk::end(int page, int kind, int id) { m_lesson.ink().end(page, pointer(kind, id)); }

void WebInk::endKind(int page, int kind)
{
    m_lesson.ink().endWhere(page, [kind](core::PointerId p) { return (p >> kKindShift) == core::PointerId(unsigned(kind)); });
}

void WebInk::endAll(int page) { m_lesson.ink().endAll(page); }

bool WebInk::drawing(int page, int kind, int id) const { return m_lesson.ink(page).drawing(pointer(kind, id)); }

void WebInk::dropStillAt(int page, double x, double y, double radiusPx)
{
    m_lesson.ink().dropStillAt(page, {x, y}, radiusPx);
}

bool WebInk::erase(int page, double x0, double y0, double x1, double y1)
{
    return m_lesson.ink().erase(page, {x0, y0}, {x1, y1});
}

void WebInk::endErase(int page) { m_lesson.ink().endErase(page); }

core::Rect WebInk::deviceArea(int page)
{
    const core::InkCanvas &layer = canvas(page);
    return scaled(core::Rect(core::Point(), layer.size()), layer.devicePixelRatio());
}

emscripten::val WebInk::takeDirty(int page, bool whole)
{
    core::InkCanvas &layer = canvas(page);
    const core::Rect changed = layer.takeDirty();
    const core::Rect logical = whole ? core::Rect(core::Point(), layer.size()) : changed;
    const core::Rect device = scaled(logical, layer.devicePixelRatio()) & deviceArea(page);
    emscripten::val out = emscripten::val::array();
    if (device.isEmpty())
        return out;
    const core::Rect inked = layer.inkedDeviceRect(logical) & device;
    for (const core::Rect &r : {device, inked})
        for (int n : {r.x(), r.y(), std::max(0, r.width()), std::max(0, r.height())})
            out.call<void>("push", n);
    return out;
}

// Strokes still being drawn are laid over a copy; elsewhere the finished
// strokes' image is read as it is.
emscripten::val WebInk::pixels(int page, int x, int y, int width, int height)
{
    core::InkCanvas &layer = canvas(page);
    const core::Rect area = core::Rect(x, y, width, height) & deviceArea(page);
    const std::size_t count = layer.liveWithin(area)
                                  ? StraightRgba::convert(layer.composed(area), core::Rect(core::Point(), area.size()), m_rgba)
                                  : StraightRgba::convert(layer.image(), area, m_rgba);
    return emscripten::val(emscripten::typed_memory_view(count * sizeof(std::uint32_t),
                                                         reinterpret_cast<const std::uint8_t *>(m_rgba.data())));
}

std::size_t WebInk::pointCount(int page) const { return m_lesson.ink(page).pointCount(); }
