#pragma once

#include "InkStroke.h"
#include "PainterDrawOps.h"
#include "Similarity.h"

#include <vector>

class QPainter;
class QRectF;

// Strokes as vectors, for paper and PDF: polylines with round ends and joins,
// placed by the figure's frame, each run as wide as its points' width factor
// makes it, as the screen draws them; `edged` gives each the rim the screen
// gives at the heavier weights.
class InkPainter
{
public:
    static void paint(QPainter &painter, const std::vector<const core::Stroke *> &strokes, const core::Similarity &frame,
                      const QRectF &area, PainterDrawOps::Look look, bool edged = false);

private:
    static void paintStroke(QPainter &painter, const core::Stroke &stroke, const core::Similarity &frame,
                            const QColor &colour, double outsetPx);
};
