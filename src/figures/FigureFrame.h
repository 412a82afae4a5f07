#pragma once

#include "Similarity.h"

// Where each page's figure stands in its picture's inner area: the unit is the
// figure's radius, the origin its centre (the polygon and the arc) or the
// picture's left edge at the circle's height (the circle cut into sectors).
// The blank page has no figure; its units are the picture's pixels.
namespace FigureFrame {

Similarity of(int page, float scaleWidth, float scaleHeight);

} // namespace FigureFrame
