#pragma once

#include "ArcShape.h"
#include "Color.h"
#include "PointF.h"
#include "RectF.h"

#include <optional>
#include <string>

namespace core {

enum class DrawStyle { Solid = 0, Invisible = 5 };
enum class FillStyle { Solid = 0, Transparent = 1 };

inline const Color kBlack{0, 0, 0};

// The drawing state of a drawing area; it outlives a paint, as the figures expect.
struct DrawState
{
    Color foreColor = kBlack;
    int drawWidth = 1;
    DrawStyle drawStyle = DrawStyle::Solid;
    FillStyle fillStyle = FillStyle::Transparent;
    Color fillColor = kBlack;
    PointF current;
};

// A resolved line: its ends and the pen it is drawn with.
struct LineCall
{
    PointF from;
    PointF to;
    Color color;
    int width = 1;
    DrawStyle style = DrawStyle::Solid;

    bool operator==(const LineCall &) const = default;
};

// A resolved Circle: centre, radius, shape, outline pen and fill (none when open
// or transparent).
struct CircleCall
{
    PointF centre;
    double radius = 0;
    ArcShape shape;
    Color outline;
    int width = 1;
    DrawStyle style = DrawStyle::Solid;
    std::optional<Color> fill;

    bool operator==(const CircleCall &) const = default;
};

// A line of UTF-8 text filling `box` (its advance and line height at
// `pixelSize` in the lettering's face), drawn in `color` inside an outline that
// keeps it readable over any fill.
struct TextCall
{
    std::string text;
    RectF box;
    int pixelSize = 0;
    Color color;
    Color outline;
    double outlineWidth = 0;

    // On white paper light letters inside a dark outline print hollow: there
    // they are filled in the outline's dark colour, with a hairline of it.
    TextCall onWhitePaper() const
    {
        constexpr double kPaperOutlineShare = 0.25;
        TextCall t = *this;
        t.color = outline;
        t.outlineWidth = outlineWidth * kPaperOutlineShare;
        return t;
    }

    bool operator==(const TextCall &) const = default;
};

// A resolved filled rectangle without an outline; its edges pass through pixel
// centres, as lines' ends do.
struct BoxCall
{
    RectF rect;
    Color fill;
    // A line drawn as a box, for speed: on paper it stays as dark as lines do.
    bool line = false;

    bool operator==(const BoxCall &) const = default;
};

// The operations the figures draw with, on whatever surface the caller provides.
// Coordinates are pixels of the inner area, origin top-left, y downwards.
class DrawOps
{
public:
    virtual ~DrawOps() = default;

    virtual float ScaleWidth() const = 0;
    virtual float ScaleHeight() const = 0;

    Color ForeColor() const { return m_state.foreColor; }
    void setForeColor(const Color &c) { m_state.foreColor = c; }
    int DrawWidth() const { return m_state.drawWidth; }
    void setDrawWidth(int pixels) { m_state.drawWidth = pixels; }
    DrawStyle drawStyle() const { return m_state.drawStyle; }
    void setDrawStyle(DrawStyle s) { m_state.drawStyle = s; }
    FillStyle fillStyle() const { return m_state.fillStyle; }
    void setFillStyle(FillStyle s) { m_state.fillStyle = s; }
    Color FillColor() const { return m_state.fillColor; }
    void setFillColor(const Color &c) { m_state.fillColor = c; }

    // Line from a point, or from the current position; leaves the current position at `to`.
    void Line(PointF from, PointF to);
    void Line(PointF to) { Line(m_state.current, to); }

    // The whole circle, or an arc; `color` overrides ForeColor for the outline.
    void Circle(PointF centre, float radius);
    void Circle(PointF centre, float radius, std::optional<Color> color, float start, float end);

    // A filled rectangle; the drawing state stays.
    void Box(const RectF &rect, const Color &fill, bool line = false) { draw(BoxCall{rect, fill, line}); }
    void Text(const TextCall &text) { draw(text); }
    // The whole inner area in one colour, as a picture is erased before its paint;
    // the drawing state stays.
    void Cls(const Color &background) { clear(background); }
    // A call resolved before, drawn again as it was.
    void Replay(const LineCall &call) { draw(call); }
    void Replay(const CircleCall &call) { draw(call); }
    void Replay(const TextCall &call) { draw(call); }
    void Replay(const BoxCall &call) { draw(call); }

protected:
    explicit DrawOps(DrawState &state) : m_state(state) {}
    virtual void draw(const LineCall &line) = 0;
    virtual void draw(const CircleCall &circle) = 0;
    virtual void draw(const TextCall &text) = 0;
    virtual void draw(const BoxCall &box) = 0;
    virtual void clear(const Color &background) = 0;

private:
    // It passes resolved calls on to the surface it wraps.
    friend class PaperDrawOps;
    void circle(PointF centre, float radius, const ArcShape &shape, const Color &outline);
    DrawState &m_state;
};

} // namespace core
