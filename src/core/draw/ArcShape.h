#pragma once

#include <optional>

namespace core {

// What a Circle call with angles draws. Angles are radians counted
// counter-clockwise on the screen from 3 o'clock; a negative angle stands for its
// absolute value and adds the radius line at that end; an arc with both radius
// lines is a closed sector.
struct ArcShape
{
    bool whole = true;          // no angles: the full circle, closed
    double startDegrees = 0;    // counter-clockwise from 3 o'clock
    double sweepDegrees = 360;  // counter-clockwise, in (0, 360]
    bool radiusAtStart = false;
    bool radiusAtEnd = false;

    bool closed() const { return whole || (radiusAtStart && radiusAtEnd); }
    bool operator==(const ArcShape &) const = default;

    static ArcShape wholeCircle() { return {}; }
    static ArcShape fromAngles(double start, double end);
};

} // namespace core
