#pragma once

#include "DrawList.h"
#include "PageView.h"

#include <emscripten/val.h>

#include <map>
#include <memory>

namespace core {
class Lesson;
class TextMeasure;
}

// The page's figure drawn again where it changed, and the sectors moved by
// hand. A page's drawing is kept from one call to the next, so a frame sends
// the canvas only the calls that reach what changed and the rectangles to
// clip them to; points are CSS pixels of the picture's inner area.
class WebSectors
{
public:
    // null when the page shows what it showed at the last call; otherwise
    // {whole, pieces: [{rect, reach, calls, texts}, …]}: each rectangle to
    // draw again ([x, y, width, height]; the whole picture when `whole`), the
    // area every call reaching it may touch, and those calls with their
    // texts. `whole` asked when the canvas lost what it showed.
    static emscripten::val drawChanges(const core::Lesson &lesson, int page, int width, int height, bool whole,
                                       const core::TextMeasure &measure);
    static void forget();

private:
    struct Drawn
    {
        core::PageView view;
        std::unique_ptr<core::DrawList> calls;
    };
    static std::map<int, Drawn> &drawn();
};
