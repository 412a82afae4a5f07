#include "ClassroomLayout.h"

#include "CommandTable.h"
#include "DesignGeometry.h"
#include "IntMath.h"
#include "Lesson.h"
#include "PageLayout.h"
#include "TextMeasure.h"
#include "WindowLayout.h"

#include <algorithm>
#include <cmath>

namespace core {

namespace {

// Against a label's letters: the space round it, its icon, its line, and a row
// of controls (the tabs, the clear buttons and swatch, the page's row).
constexpr double kPaddingShare = 0.15;
constexpr double kIconShare = 0.85;
constexpr double kRowShare = 1.5;
// The value label holds up to three digits, half an em each, with room.
constexpr double kValueEms = 2;
constexpr int kMinPaddingPx = 2;

int scaled(double px, double scale, int least) { return std::max(least, round32(px * scale)); }
int ceilDiv(int a, int b) { return (a + b - 1) / b; }

std::vector<const Command *> buttonsOf(const Lesson &lesson, int page, const ClassroomLayout::Offers &offers)
{
    std::vector<const Command *> out;
    for (const Command *c : CommandTable::toolbar())
        if (offers(*c) && (!c->has || c->has(lesson, page)))
            out.push_back(c);
    return out;
}

// The page's picture over its area, the row of its controls under it.
ClassroomLayout::Page pageOf(int page, Rect area, int rowH, int gap, int startW, int labelW)
{
    const PageControls has = PageTable::controls(page);
    ClassroomLayout::Page p;
    const bool row = has.scroll || has.label || has.start;
    p.picture = Rect(area.x(), area.y(), area.width(), std::max(0, area.height() - (row ? rowH + gap : 0)));
    const int rowTop = p.picture.y() + p.picture.height() + gap;
    int right = area.x() + area.width();
    if (has.label) {
        p.label = Rect(right - labelW, rowTop, labelW, rowH);
        right = p.label.x() - gap;
    }
    if (has.start) {
        p.button = Rect(right - startW, rowTop, startW, rowH);
        right = p.button.x() - gap;
    }
    if (has.scroll)
        p.scroll = Rect(area.x(), rowTop, std::max(0, right - area.x()), rowH);
    constexpr int inset = PageLayout::kOverlayInsetPx;
    constexpr int frame = DesignGeometry::kPictureFramePx;
    p.overlay = Rect(p.picture.x() + inset, p.picture.y() + inset, std::max(0, p.picture.width() - 2 * inset),
                     std::max(0, p.picture.height() - 2 * inset));
    p.inner = Size(p.picture.width() - 2 * frame, p.picture.height() - 2 * frame).expandedTo(Size(0, 0));
    p.innerOnOverlay = Point(frame - inset, frame - inset);
    return p;
}

} // namespace

ClassroomLayout ClassroomLayout::compute(Size client, const Lesson &lesson, const TextMeasure &measure,
                                         const Offers &offers)
{
    ClassroomLayout l;
    const int w = std::max(0, client.width()), h = std::max(0, client.height());
    const double scale = double(std::min(w, h)) / kReferenceSidePx;
    l.labelPx = scaled(kLabelPxAtReference, scale, kMinLabelPx);
    l.targetPx = scaled(kTargetPxAtReference, scale, kMinTargetPx);
    l.paddingPx = std::max(kMinPaddingPx, round32(l.labelPx * kPaddingShare));
    l.iconPx = round32(l.labelPx * kIconShare);
    const int pad = l.paddingPx, gap = std::max(kMinPaddingPx, pad / 2), m = WindowLayout::kMarginPx;
    const bool landscape = w >= h;
    l.iconBeside = landscape;
    const int line = round32(l.labelPx * ClassroomLayout::kLineShare);
    const int letters = kLabelEms * l.labelPx;
    l.buttonSize = landscape ? Size(std::max(l.targetPx, 2 * pad + l.iconPx + gap + letters),
                                    std::max(l.targetPx, 2 * pad + std::max(l.iconPx, line)))
                             : Size(std::max(l.targetPx, 2 * pad + letters),
                                    std::max(l.targetPx, 2 * pad + l.iconPx + line));
    const int bw = l.buttonSize.width(), bh = l.buttonSize.height();

    // The toolbar keeps one extent on every page, so the figure stays put.
    std::size_t most = 0;
    for (int page = 0; page < lesson.pageCount(); ++page)
        most = std::max(most, buttonsOf(lesson, page, offers).size());
    const int count = std::max(1, int(most));
    const int along = landscape ? h : w;
    const int perLine = std::max(1, (along - 2 * m + gap) / ((landscape ? bh : bw) + gap));
    const int lines = ceilDiv(count, perLine);
    Rect board;
    if (landscape) {
        const int tw = lines * bw + (lines - 1) * gap;
        l.toolbar = Rect(w - m - tw, m, tw, std::max(0, h - 2 * m));
        board = Rect(0, 0, std::max(0, w - tw - m), h);
    } else {
        const int th = lines * bh + (lines - 1) * gap;
        l.toolbar = Rect(m, h - m - th, std::max(0, w - 2 * m), th);
        board = Rect(0, 0, w, std::max(0, h - th - m));
    }
    const std::vector<const Command *> shown = buttonsOf(lesson, lesson.page(), offers);
    for (int i = 0; i < int(shown.size()); ++i) {
        const int line = i / perLine, at = i % perLine;
        const Point corner = landscape ? Point(l.toolbar.x() + line * (bw + gap), l.toolbar.y() + at * (bh + gap))
                                       : Point(l.toolbar.x() + at * (bw + gap), l.toolbar.y() + line * (bh + gap));
        l.buttons.push_back({shown[std::size_t(i)], Rect(corner, l.buttonSize)});
    }

    const int rowH = std::max(l.targetPx, round32(l.labelPx * kRowShare));
    const int clearW = std::max(l.targetPx, 2 * l.labelPx + 2 * pad);
    l.tab = Rect(m, m, std::max(0, board.width() - 2 * m), std::max(0, board.height() - 3 * m - rowH));
    const int stripTop = l.tab.y() + l.tab.height() + m;
    l.clear[0] = Rect(m, stripTop, clearW, rowH);
    l.clear[1] = Rect(std::max(m, board.width() - m - clearW), stripTop, clearW, rowH);
    const int swatchLeft = l.clear[0].x() + clearW + m;
    l.swatch = Rect(swatchLeft, stripTop, std::max(0, l.clear[1].x() - m - swatchLeft), rowH);

    l.tabRow = rowH;
    const int pages = lesson.pageCount();
    // A tab's style keeps about an em of its caption's letters round it.
    const double tabW = double(l.tab.width()) / std::max(1, pages) - 2 * pad;
    double widest = 0;
    for (int page = 0; page < pages; ++page)
        widest = std::max(widest, measure.advance(lesson.row(page).caption, l.labelPx) + l.labelPx);
    l.tabLabelPx = widest > tabW ? std::max(1, int(std::floor(l.labelPx * std::max(0.0, tabW) / widest))) : l.labelPx;

    const Rect area(m, l.tabRow + m, std::max(0, l.tab.width() - 2 * m), std::max(0, l.tab.height() - l.tabRow - 2 * m));
    const int labelW = std::max(l.targetPx, round32(l.labelPx * kValueEms) + 2 * pad);
    for (int page = 0; page < pages; ++page)
        l.pages.push_back(pageOf(page, area, rowH, gap, bw, labelW));
    return l;
}

} // namespace core
