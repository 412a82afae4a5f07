#pragma once

#include "InkRaster.h"

#include <QPointF>
#include <QRect>
#include <QRgb>

// Wide figure lines drawn by hand straight into a raster image: an
// anti-aliased band with round ends, a few pixels per scan line, where the
// painter's general stroker spends tens of microseconds on a long line.
namespace LineRaster {

// The line a→b, `radiusPx` to each side of its axis and round at both ends, in
// an opaque `color`, onto the surface within `clip` (device pixels). Pixels
// within radius − ½ of the axis are covered fully, none beyond radius + ½.
void draw(const InkRaster::Surface &surface, const QRect &clip, QPointF a, QPointF b, double radiusPx, QRgb color);

// The circle of `radiusPx` about `centre`, its outline `halfWidthPx` to each
// side, by the same rule.
void ring(const InkRaster::Surface &surface, const QRect &clip, QPointF centre, double radiusPx, double halfWidthPx,
          QRgb color);

} // namespace LineRaster
