#pragma once

#include "DrawOps.h"

#include <QRegion>
#include <QTransform>

#include <optional>

class QImage;
class QPainter;
class QRectF;

// Draws onto a QPainter whose origin is the top-left pixel of the inner area.
// Lines widened past the design's widths may take a faster path whose edges
// blend a hair differently.
class PainterDrawOps : public DrawOps
{
public:
    // On paper the board's colours may be kept, or the lines darkened to read on white.
    enum class Look { Board, DarkOnWhite };

    PainterDrawOps(QPainter &painter, DrawState &state, float scaleWidth, float scaleHeight, bool fastWideLines = false);

    void setLook(Look look) { m_look = look; }

    float ScaleWidth() const override { return m_width; }
    float ScaleHeight() const override { return m_height; }

protected:
    void draw(const LineCall &line) override;
    void draw(const CircleCall &circle) override;
    void draw(const TextCall &text) override;
    void clear(const QColor &background) override;

private:
    QColor lineColour(const QColor &colour) const;
    bool drawnFlatWithDiscs(int width, DrawStyle style) const;
    void wideLine(QPointF from, QPointF to, const QColor &color, int width);
    void wideRing(QPointF centre, double radius, const QColor &color, int width);
    void wideSectorOutline(const QRectF &box, QPointF centre, const CircleCall &circle, const QColor &outline);

    // The raster image behind the painter, where wide lines are drawn by hand.
    struct DirectTarget
    {
        QImage *image = nullptr;
        QTransform toDevice;
        QRegion clip; // device pixels
    };
    static std::optional<DirectTarget> directTarget(QPainter &painter);

    QPainter &m_painter;
    float m_width;
    float m_height;
    bool m_fastWideLines;
    Look m_look = Look::Board;
    std::optional<DirectTarget> m_direct;
};
