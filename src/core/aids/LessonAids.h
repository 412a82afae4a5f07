#pragma once

#include "DrawOps.h"
#include "LineWeight.h"

#include <vector>

namespace core {

class TextMeasure;

// The lesson aids of a page, drawn over its figure and under the ink: the
// figure's parts named, measured and tied to the formula. A pure function of
// the figure's own inputs; `paint` draws them through any DrawOps, a window's
// or an image's, and leaves the drawing state as it found it.
struct LessonAids
{
    static constexpr int kFormulaLines = 5;
    // Text size as a share of the picture's smaller side, and the least share
    // and size it may shrink to where room is short.
    static constexpr double kTextShare = 0.04;
    static constexpr double kSmallestTextShare = 0.75;
    static constexpr int kSmallestTextPx = 9;

    // An arc alone, counter-clockwise from `start` to `end` as Circle takes them.
    struct Arc
    {
        PointF centre;
        float radius = 0;
        float start = 0;
        float end = 0;
        Color color;
        int width = 1;
    };

    std::vector<Arc> arcs;
    std::vector<LineCall> lines;
    std::vector<TextCall> texts;

    void paint(DrawOps &ops) const;
};

} // namespace core
