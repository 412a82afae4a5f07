#pragma once

#include <emscripten/val.h>

#include <cstdint>
#include <vector>

namespace core {
class Lesson;
}

// Pages for paper: the ink of a page drawn by the core's rasteriser at the
// sheet's resolution, on white paper darkened as the figure's lines are, and
// the cut-out circle with its numbered sectors.
class WebPrint
{
public:
    // The page's ink for a figure area of inner × scale device pixels, straight
    // RGBA rows, valid until the next call.
    emscripten::val ink(const core::Lesson &lesson, int page, int innerWidth, int innerHeight, double scale,
                        bool darkOnWhite);
    // {calls, texts, width, height, pixelsPerMm, centre: [x, y], numberPx, numbers: [x, y, degrees, value, …]}
    static emscripten::val cutOut(int half, int weightFactor);

private:
    std::vector<std::uint32_t> m_rgba;
};
