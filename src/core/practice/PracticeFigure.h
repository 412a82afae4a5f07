#pragma once

#include "LessonAids.h"
#include "PracticeProblem.h"
#include "Similarity.h"

#include <vector>

namespace core {

class DrawOps;
class TextMeasure;
struct PageView;

// A practice figure as the class works it: the figure with its given lengths
// in cm, then step by step the figures it is cut into (tinted), the
// expression with 3.14, and the answer. The figure keeps its place through
// every step and every length, so ink on it stays where it was written.
struct PracticeFigure
{
    static constexpr int kSteps = 3;
    // The asked area, and the tints of the figures it is cut into.
    static inline const Color kAskedFill{255, 240, 140};
    static inline const Color kFirstTint{130, 200, 255};
    static inline const Color kSecondTint{255, 160, 200};
    static inline const Color kBothTint{190, 160, 255};
    static inline const Color kOutlineColor{255, 255, 255};
    static inline const Color kRestOfCircleColor{170, 225, 170};
    static constexpr int kOutlinePx = 2;
    static constexpr int kThinPx = 1;
    // Text size as a share of the picture's smaller side, and the least share
    // the working may shrink to before its expression takes two lines.
    static constexpr double kTextShare = 0.055;
    static constexpr double kSmallestShare = 0.4;
    static constexpr double kOneLineShare = 0.8;
    // The figure's square takes at most this share of the picture's longer side.
    static constexpr double kFigureShare = 0.5;
    // Room kept round the figure for its lengths, in text sizes.
    static constexpr double kLabelRoom = 1.8;

    // A filled part: a sector of a disc (angles in degrees counter-clockwise
    // from 3 o'clock, a whole disc from 0 to 360), or rows of whole pixels.
    struct Fill
    {
        PointF centre;
        double radius = 0;
        double fromDegrees = 0;
        double toDegrees = 0;
        std::vector<RectF> rows;
        Color colour;
    };

    PracticeProblem problem;
    int step = 0;
    RectF region;  // the figure's square
    RectF drawn;   // what the figure covers
    std::vector<Fill> fills;
    LessonAids marks; // outlines, lengths and the working

    // Without a measure, the figure alone, with no words.
    static PracticeFigure compute(const PageView &view, const TextMeasure *measure = nullptr);
    static int steps(int value);
    // Ink on the page is kept in units of the figure's square.
    static Similarity frame(float scaleWidth, float scaleHeight);
    static RectF regionOf(double width, double height);
    void paint(DrawOps &ops) const;
    void paintWords(DrawOps &ops) const;

    // The working, every step's lines: the question, the cut, the expression
    // (on one line or two), and the answer.
    std::vector<std::string> working(bool oneLine) const;
};

} // namespace core
