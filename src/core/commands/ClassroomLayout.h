#pragma once

#include "Command.h"
#include "Rect.h"

#include <functional>
#include <string_view>
#include <vector>

namespace core {

class Lesson;
class TextMeasure;

// The window with the classroom toolbar: the toolbar along the right edge of
// a landscape screen and along the bottom of a portrait one, and the window's
// and pages' own controls in the rest, all grown with the screen so the back
// row reads the labels and a finger hits every control. Sizes follow the
// screen's shorter side: at 1080 px a label's letters are 40 px high and
// every control at least 64 px across; no control is ever under 44 px.
// Pixels are logical (Qt's) or CSS pixels.
struct ClassroomLayout
{
    static constexpr int kReferenceSidePx = 1080;
    // A plain kanji such as 白 fills about 3/4 of its em in the lesson's
    // Gothic: letters that stand 40 px high are set at 54 px.
    static constexpr int kLabelPxAtReference = 54;
    static constexpr int kTargetPxAtReference = 64;
    static constexpr int kMinLabelPx = 14;
    static constexpr int kMinTargetPx = 44;
    // A button's label is at most this many full-width characters, on a line
    // this many times its letters high.
    static constexpr int kLabelEms = 4;
    static constexpr double kLineShare = 1.1;

    struct Button
    {
        const Command *command = nullptr;
        Rect rect;
    };
    struct Page
    {
        Rect picture, scroll, button, label, overlay; // relative to the tab control; absent: empty
        Size inner;                                   // the figure's area inside the picture's frame
        Point innerOnOverlay;
    };

    int labelPx = 0;   // toolbar labels, tab captions at most, the page's buttons and value label
    int iconPx = 0;
    int targetPx = 0;  // the least extent of any control
    int paddingPx = 0;
    Rect toolbar;
    Size buttonSize;
    // A landscape screen's buttons carry their icon beside the label, so
    // fewer columns take less of the figure's width; a portrait one's above it.
    bool iconBeside = false;
    std::vector<Button> buttons; // the page in view's
    Rect tab;
    int tabRow = 0;
    int tabLabelPx = 0; // as large as lets every caption fit its tab
    Rect clear[2];
    Rect swatch;
    std::vector<Page> pages;

    // Whether the front-end offers a command (it may lack a handler for one).
    using Offers = std::function<bool(const Command &command)>;
    static ClassroomLayout compute(Size client, const Lesson &lesson, const TextMeasure &measure,
                                   const Offers &offers);
};

} // namespace core
