#pragma once

#include "ArcShape.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>

enum class DrawStyle { Solid = 0, Invisible = 5 };
enum class FillStyle { Solid = 0, Transparent = 1 };

// The drawing state of a drawing area; it outlives a paint, as the figures expect.
struct DrawState
{
    QColor foreColor = Qt::black;
    int drawWidth = 1;
    DrawStyle drawStyle = DrawStyle::Solid;
    FillStyle fillStyle = FillStyle::Transparent;
    QColor fillColor = Qt::black;
    QPointF current;
};

// A resolved line: its ends and the pen it is drawn with.
struct LineCall
{
    QPointF from;
    QPointF to;
    QColor color;
    int width = 1;
    DrawStyle style = DrawStyle::Solid;

    bool operator==(const LineCall &) const = default;
};

// A resolved Circle: centre, radius, shape, outline pen and fill (none when open
// or transparent).
struct CircleCall
{
    QPointF centre;
    double radius = 0;
    ArcShape shape;
    QColor outline;
    int width = 1;
    DrawStyle style = DrawStyle::Solid;
    std::optional<QColor> fill;

    bool operator==(const CircleCall &) const = default;
};

// A line of text filling `box` (its advance and line height in `font`), drawn
// in `color` inside an outline that keeps it readable over any fill.
struct TextCall
{
    QString text;
    QRectF box;
    QFont font;
    QColor color;
    QColor outline;
    double outlineWidth = 0;

    bool operator==(const TextCall &) const = default;
};

// The operations the figures draw with, on whatever surface the caller provides.
// Coordinates are pixels of the inner area, origin top-left, y downwards.
class DrawOps
{
public:
    virtual ~DrawOps() = default;

    virtual float ScaleWidth() const = 0;
    virtual float ScaleHeight() const = 0;

    QColor ForeColor() const { return m_state.foreColor; }
    void setForeColor(const QColor &c) { m_state.foreColor = c; }
    int DrawWidth() const { return m_state.drawWidth; }
    void setDrawWidth(int pixels) { m_state.drawWidth = pixels; }
    DrawStyle drawStyle() const { return m_state.drawStyle; }
    void setDrawStyle(DrawStyle s) { m_state.drawStyle = s; }
    FillStyle fillStyle() const { return m_state.fillStyle; }
    void setFillStyle(FillStyle s) { m_state.fillStyle = s; }
    QColor FillColor() const { return m_state.fillColor; }
    void setFillColor(const QColor &c) { m_state.fillColor = c; }

    // Line from a point, or from the current position; leaves the current position at `to`.
    void Line(QPointF from, QPointF to);
    void Line(QPointF to) { Line(m_state.current, to); }

    // The whole circle, or an arc; `color` overrides ForeColor for the outline.
    void Circle(QPointF centre, float radius);
    void Circle(QPointF centre, float radius, std::optional<QColor> color, float start, float end);

    void Text(const TextCall &text) { draw(text); }
    // The whole inner area in one colour, as a picture is erased before its paint;
    // the drawing state stays.
    void Cls(const QColor &background) { clear(background); }

protected:
    explicit DrawOps(DrawState &state) : m_state(state) {}
    virtual void draw(const LineCall &line) = 0;
    virtual void draw(const CircleCall &circle) = 0;
    virtual void draw(const TextCall &text) = 0;
    virtual void clear(const QColor &background) = 0;

private:
    void circle(QPointF centre, float radius, const ArcShape &shape, const QColor &outline);
    DrawState &m_state;
};
