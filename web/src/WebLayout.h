#pragma once

#include "Rect.h"
#include "Twips.h"

#include <emscripten/val.h>

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

// A rectangle as the page takes it: [x, y, w, h].
emscripten::val rectOf(const core::Rect &r);

// The tab control, the clear buttons, the swatch and each page's controls, from
// the design's layout or the classroom's, which name them alike.
template <class Layout> void setControls(emscripten::val &out, const Layout &l)
{
    using emscripten::val;
    out.set("tab", rectOf(l.tab));
    out.set("tabRow", l.tabRow);
    val clear = val::array();
    clear.call<void>("push", rectOf(l.clear[0]));
    clear.call<void>("push", rectOf(l.clear[1]));
    out.set("clear", clear);
    out.set("swatch", rectOf(l.swatch));
    val pages = val::array();
    for (const auto &p : l.pages) {
        val page = val::object();
        page.set("picture", rectOf(p.picture));
        page.set("scroll", rectOf(p.scroll));
        page.set("button", rectOf(p.button));
        page.set("label", rectOf(p.label));
        page.set("overlay", rectOf(p.overlay));
        page.set("inner", rectOf(core::Rect(p.innerOnOverlay, p.inner)));
        pages.call<void>("push", page);
    }
    out.set("pages", pages);
}
