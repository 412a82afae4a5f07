#pragma once

#include "DrawOps.h"

class QPainter;
class QRectF;

// Draws onto a QPainter whose origin is the top-left pixel of the inner area.
class PainterDrawOps : public DrawOps
{
public:
    PainterDrawOps(QPainter &painter, DrawState &state, float scaleWidth, float scaleHeight);

    float ScaleWidth() const override { return m_width; }
    float ScaleHeight() const override { return m_height; }

protected:
    void draw(const LineCall &line) override;
    void draw(const CircleCall &circle) override;

private:
    void wideLine(QPointF from, QPointF to, const QColor &color, int width);
    void wideSectorOutline(const QRectF &box, QPointF centre, const CircleCall &circle);

    QPainter &m_painter;
    float m_width;
    float m_height;
};
