#pragma once

#include "ParallelogramFigure.h"
#include "PointF.h"

#include <string>
#include <vector>

namespace core {

// The animated page's circle as printed for pupils to cut out, coloured by
// halves as on the board: drawn as in a picture whose pixels print a quarter
// millimetre each, so the design's one-pixel radius lines print that wide,
// and scaled so the radius prints at 6 cm. Each sector carries the number of
// its turn in the animation, standing out along it with its top to the arc.
struct CutOutCircle
{
    static constexpr double kRadiusMm = 60;
    static constexpr float kPictureWidthPx = 1500;
    static constexpr float kPictureHeightPx = 484;

    // A sector's number: its middle, in the picture's pixels (named by their
    // centres, as the figures name them), and its turn from upright.
    struct Number
    {
        PointF at;
        double degrees = 0;
        int value = 0;
        // A cut sector lies any way up: 6 and 9, 16 and 91… are told apart by a line under them.
        bool underlined = false;
    };

    ParallelogramFigure figure;
    int numberPx = 1;
    std::vector<Number> numbers;

    static CutOutCircle compute(int half);
    // What the sheet tells the pupils, over the circle: two lines.
    std::string caption() const;
    // Whether the number, turned half round, reads as a different number.
    static bool readsOtherTurned(int value);
    // Picture pixels on paper, from its millimetres.
    double pixelsPerMm() const { return figure.R / kRadiusMm; }
};

} // namespace core
