#pragma once

#include "Rect.h"
#include "Twips.h"

#include <vector>

// The window's controls placed for a client area of a given size by the
// core's window and page layouts, from where the design starts them: what the
// desktop's widgets take, for the page's elements to take too. Page controls
// are relative to the tab control; an absent control is an empty rectangle.
struct WebLayout
{
    struct Page
    {
        core::Rect picture, scroll, button, label, overlay;
        core::Size inner;          // the figure's area inside the picture's frame
        core::Point innerOnOverlay; // that area's top-left on the ink overlay
    };

    core::Rect tab;
    int tabRow = 0;
    core::Rect clear[2];
    core::Rect swatch;
    std::vector<Page> pages;

    static WebLayout compute(int clientWidth, int clientHeight, const core::Twips &twips = {});
};
