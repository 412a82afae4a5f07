#include "WebInk.h"

#include "InkPen.h"
#include "Lesson.h"
#include "PageRenderer.h"
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

int WebInk::kindOf(core::PointerId pointer) { return int(pointer >> kKindShift); }

core::PointerId WebInk::pointer(int kind, int id)
{
    return (core::PointerId(unsigned(kind)) << kKindShift) | core::PointerId(std::uint32_t(id));
}

core::InkLayer &WebInk::ink(int page) { return m_lesson.ink(page); }

bool WebInk::place(int page, int width, int height, double pixelRatio, int innerWidth, int innerHeight, int innerX,
                   int innerY)
{
    core::InkLayer &layer = ink(page);
    core::Similarity frame = core::PageRenderer::inkFrame(page, float(innerWidth), float(innerHeight));
    frame.origin += core::PointF(innerX, innerY);
    const bool moved = !(frame == layer.frame()) || layer.size() != core::Size(width, height) ||
                       layer.devicePixelRatio() != pixelRatio;
    layer.setFrame(frame);
    layer.resize(core::Size(width, height), pixelRatio);
    return moved;
}

bool WebInk::begin(int page, int kind, int id, double x, double y, double widthFactor)
{
    const double widthPx = m_lesson.weight().factor() * core::InkPen::kWidthAt96DpiPx;
    const bool began = ink(page).begin(pointer(kind, id), {x, y}, widthFactor, m_lesson.pen(page), widthPx);
    m_lesson.noteInk(page);
    return began;
}

void WebInk::extend(int page, int kind, int id, double x, double y, double widthFactor)
{
    ink(page).extend(pointer(kind, id), {x, y}, widthFactor);
}

void WebInk::end(int page, int kind, int id)
{
    ink(page).end(pointer(kind, id));
    m_lesson.noteInk(page);
}

void WebInk::endKind(int page, int kind)
{
    ink(page).endWhere([kind](core::PointerId p) { return (p >> kKindShift) == core::PointerId(unsigned(kind)); });
    m_lesson.noteInk(page);
}

void WebInk::endAll(int page)
{
    ink(page).endAll();
    ink(page).endErase();
    m_lesson.noteInk(page);
}

bool WebInk::drawing(int page, int kind, int id) const { return m_lesson.ink(page).drawing(pointer(kind, id)); }

void WebInk::dropStillAt(int page, double x, double y, double radiusPx) { ink(page).dropStillAt({x, y}, radiusPx); }

bool WebInk::erase(int page, double x0, double y0, double x1, double y1)
{
    const double radius = m_lesson.weight().factor() * core::InkPen::kEraserRadiusAt96DpiPx;
    const bool erased = ink(page).eraseAlong({x0, y0}, {x1, y1}, radius);
    m_lesson.noteInk(page);
    return erased;
}

void WebInk::endErase(int page) { ink(page).endErase(); }

core::Rect WebInk::deviceArea(int page)
{
    const core::InkLayer &layer = ink(page);
    return scaled(core::Rect(core::Point(), layer.size()), layer.devicePixelRatio());
}

emscripten::val WebInk::takeDirty(int page, bool whole)
{
    core::InkLayer &layer = ink(page);
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
    core::InkLayer &layer = ink(page);
    const core::Rect area = core::Rect(x, y, width, height) & deviceArea(page);
    const std::size_t count = layer.liveWithin(area)
                                  ? StraightRgba::convert(layer.composed(area), core::Rect(core::Point(), area.size()), m_rgba)
                                  : StraightRgba::convert(layer.image(), area, m_rgba);
    return emscripten::val(emscripten::typed_memory_view(count * sizeof(std::uint32_t),
                                                         reinterpret_cast<const std::uint8_t *>(m_rgba.data())));
}

std::size_t WebInk::pointCount(int page) const { return m_lesson.ink(page).pointCount(); }
