#pragma once

#include "Color.h"
#include "LineWeight.h"
#include "PointF.h"
#include "Similarity.h"

namespace core {

class DrawOps;

// Squared paper under a figure's circle, a centimetre a square: its lines pass
// through the circle's centre and the radius is a whole number of squares.
// With the counts asked for, the squares wholly inside the circle and those it
// cuts are tinted, as the class counts them to estimate its area: in the
// whole circle, or in its quarters counter-clockwise from 3 o'clock, as a
// sector or the textbook's quarter count takes them.
class SquaredPaper
{
public:
    // Faint: a shade off the board, so the figure keeps the eye.
    static inline const Color kLineColor{64, 160, 64};
    static inline const Color kInsideColor{24, 112, 150};
    static inline const Color kCutColor{150, 130, 30};
    static constexpr int kLineWidthPx = 1;
    // Finer squares would fill the picture with lines and tell nothing.
    static constexpr double kSmallestSquarePx = 3;

    struct Count
    {
        int inside = 0; // every corner within the circle or on it
        int cut = 0;    // some corners strictly within, some outside

        bool operator==(const Count &) const = default;
    };
    static constexpr int kQuarters = 4;
    // The squares of a grid through the centre of a circle `radiusSquares` squares
    // in radius, judged by their corners, in its first `quarters` quarters.
    static Count count(int radiusSquares, int quarters = kQuarters);

    // `circle`: the circle's centre and its radius in pixels.
    SquaredPaper(const Similarity &circle, int radiusSquares, int quarters = kQuarters);

    double squarePx() const { return m_squarePx; }
    // The squares inside, and with `cut` those the circle cuts, each kind its colour.
    void paintTints(DrawOps &ops, bool cut = true) const;
    void paintLines(DrawOps &ops, LineWeight weight) const;

private:
    bool drawable() const;

    PointF m_centre;
    int m_radiusSquares;
    int m_quarters;
    double m_squarePx;
};

} // namespace core
