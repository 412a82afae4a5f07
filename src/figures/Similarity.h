#pragma once

#include <QPointF>

#include <cmath>

// Where a figure's own units land on a widget: a uniform scale about an origin.
// Ink kept in these units follows its figure when the window changes size.
struct Similarity
{
    QPointF origin;
    double scale = 1;

    QPointF map(QPointF units) const { return origin + units * scale; }
    QPointF unmap(QPointF pixels) const { return (pixels - origin) / scale; }
    // A collapsed figure (a picture too small for it) has nothing to place ink on.
    bool usable() const { return scale > 0 && std::isfinite(scale) && std::isfinite(origin.x()) && std::isfinite(origin.y()); }
    Similarity scaled(double factor) const { return {origin * factor, scale * factor}; }

    friend bool operator==(const Similarity &, const Similarity &) = default;
};
