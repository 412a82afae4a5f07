#pragma once

#include "DrawOps.h"

#include <QColor>
#include <QPointF>

class QPainter;
class QRectF;

// Draws the core's figures onto a QPainter whose origin is the top-left pixel
// of the inner area. Lines widened past the design's widths may take a faster
// path whose edges blend a hair differently.
class PainterDrawOps : public core::DrawOps
{
public:
    // On paper the board's colours may be kept, or white paper with dark
    // lines and light fills (core::PaperDrawOps) chosen to save ink.
    enum class Look { Board, DarkOnWhite };

    PainterDrawOps(QPainter &painter, core::DrawState &state, float scaleWidth, float scaleHeight,
                   bool fastWideLines = false);

    float ScaleWidth() const override { return m_width; }
    float ScaleHeight() const override { return m_height; }

protected:
    void draw(const core::LineCall &line) override;
    void draw(const core::CircleCall &circle) override;
    void draw(const core::TextCall &text) override;
    void draw(const core::BoxCall &box) override;
    void clear(const core::Color &background) override;

private:
    bool drawnFlatWithDiscs(int width, core::DrawStyle style) const;
    void wideLine(QPointF from, QPointF to, const QColor &color, int width);
    void wideSectorOutline(const QRectF &box, QPointF centre, const core::CircleCall &circle, const QColor &outline);

    QPainter &m_painter;
    float m_width;
    float m_height;
    bool m_fastWideLines;
};
