#pragma once

#include "Color.h"
#include "InkGround.h"
#include "LessonAids.h"
#include "PageView.h"
#include "Similarity.h"
#include "Size.h"

namespace core {

class DrawOps;
class TextMeasure;

// Draws a page as its picture shows it: the board, the figure, then the lesson
// aids. The window, files, paper and the browser all draw pages here.
namespace PageRenderer {

inline const Color kBoard{0, 128, 0};
// The picture's inner area at the design window.
inline constexpr Size kDesignInner{526, 370};

void paint(DrawOps &ops, const PageView &view, const TextMeasure &measure);
// The page's aids for its view, whether or not the view shows them.
LessonAids aids(const PageView &view, const TextMeasure &measure);
// Whether the view shows lengths in cm, and whether anything it shows follows
// the circle's radius in cm (those lengths, the squared paper, the squares' areas).
bool showsRealLengths(const PageView &view);
bool usesRadiusCm(const PageView &view);
// Where the page's ink lies in a picture of this inner size: the figure's
// frame, or the picture's own pixels on a page without a figure.
Similarity inkFrame(int page, float scaleWidth, float scaleHeight);
// The fills under the page's ink, the picture's inner area at `origin`.
InkGround inkGround(const PageView &view, PointF origin);

} // namespace PageRenderer

} // namespace core
