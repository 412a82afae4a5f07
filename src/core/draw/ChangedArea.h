#pragma once

#include "DrawList.h"
#include "Rect.h"

#include <optional>
#include <vector>

namespace core {

// Where two drawings of a page of one size differ, so a picture can draw
// again only what moved and keep the rest of its pixels. Calls that both
// drawings make in the same order are left alone; every other call, gone or
// new, marks what it may touch.
namespace ChangedArea {

// More separate rectangles than this are drawn as the one around them all;
// past this share of the picture, the whole picture is drawn again.
constexpr std::size_t kMostRects = 12;
constexpr double kMostShare = 0.5;

// The pixels a call may touch, with room for smoothing, round ends and the
// outline of letters.
RectF bounds(const DrawList::Call &call);
// The whole pixels to draw again, or none where all of it should be.
std::optional<std::vector<Rect>> between(const DrawList &before, const DrawList &after);
// Draws the calls of `drawing` that reach any of `area` (the caller clips to
// it), after clearing it to the drawing's board.
void redraw(const DrawList &drawing, DrawOps &ops, const std::vector<Rect> &area);

} // namespace ChangedArea

} // namespace core
