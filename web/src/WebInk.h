#pragma once

#include "InkLayer.h"

#include <emscripten/val.h>

#include <cstdint>
#include <vector>

namespace core {
class Lesson;
}

// The page's script feeds each page's ink from Pointer Events and shows its
// pixels: the core draws them, premultiplied ARGB, and they become a canvas's
// straight RGBA here, at the edge. Positions are CSS pixels of the page's ink
// overlay; a pointer is its kind (mouse, pen, finger) and the browser's id.
class WebInk
{
public:
    enum Kind { Mouse = 1, Pen = 2, Finger = 3 };

    explicit WebInk(core::Lesson &lesson) : m_lesson(lesson) {}

    // The overlay's size and pixel ratio, and where the figure's area lies on
    // it; true when what it shows must be drawn whole again.
    bool place(int page, int width, int height, double pixelRatio, int innerWidth, int innerHeight, int innerX,
               int innerY);

    bool begin(int page, int kind, int id, double x, double y, double widthFactor);
    void extend(int page, int kind, int id, double x, double y, double widthFactor);
    void end(int page, int kind, int id);
    void endKind(int page, int kind);
    void endAll(int page);
    bool drawing(int page, int kind, int id) const;
    void dropStillAt(int page, double x, double y, double radiusPx);
    // The eraser from (x0, y0) to (x1, y1); a gesture is one step until endErase.
    bool erase(int page, double x0, double y0, double x1, double y1);
    void endErase(int page);

    // What to show again: the device rectangle changed since the last call
    // (or the whole overlay), and the part of it where ink may lie, as
    // [x, y, width, height, inkX, inkY, inkWidth, inkHeight]; empty when
    // nothing changed. Outside the second the overlay is only cleared.
    emscripten::val takeDirty(int page, bool whole);
    // The ink within a device rectangle, straight RGBA rows, valid until the next call.
    emscripten::val pixels(int page, int x, int y, int width, int height);
    std::size_t pointCount(int page) const;

private:
    static core::PointerId pointer(int kind, int id);
    core::InkCanvas &canvas(int page);
    core::Rect deviceArea(int page);

    core::Lesson &m_lesson;
    std::vector<std::uint32_t> m_rgba;
};
