#pragma once

#include "DrawOps.h"

#include <QRectF>
#include <QSizeF>
#include <QStringList>

#include <vector>

// Finds room for the lesson aids' text in a picture. A block of lines goes to
// the first of its candidate places where, at the largest size it can take
// between the full size and the smallest, it stays inside the picture and
// clear of the figure and of the blocks placed before it. A block that fits
// nowhere is left out rather than drawn over the figure or cut off.
class AidLayout
{
public:
    static inline const QColor kTextColor{255, 255, 255};
    static inline const QColor kOutlineColor{0, 32, 0};
    // Outline width and the clearance around a block, as shares of the text size.
    static constexpr double kOutlineShare = 1.0 / 6;
    static constexpr double kGapShare = 0.3;
    // Each size tried is this share of the one before.
    static constexpr double kShrinkStep = 0.92;

    // The point of a block's box named by `align` lies on `at`.
    struct Place
    {
        QPointF at;
        Qt::Alignment align;
    };

    AidLayout(QSizeF picture, int fullPx, int smallestPx);

    int fullPx() const { return m_fullPx; }
    // The clearance kept between a block and anything else, at the full size.
    double gapPx() const { return m_fullPx * kGapShare; }

    // A corner or the middle of an edge of the picture, just inside it.
    Place inside(Qt::Alignment align) const;

    void avoid(const QRectF &area) { m_areas.push_back(area); }
    void avoidDisc(QPointF centre, double radius) { m_discs.push_back({centre, radius}); }

    // One call per line, or none when the block fits nowhere. Lines are aligned
    // within the block by `lineAlign`: left, right or centred.
    std::vector<TextCall> place(const QStringList &lines, const std::vector<Place> &places,
                                Qt::Alignment lineAlign = Qt::AlignLeft);

private:
    struct Disc
    {
        QPointF centre;
        double radius;
    };
    bool clear(const QRectF &box, double gap) const;

    QRectF m_picture;
    int m_fullPx;
    int m_smallestPx;
    std::vector<QRectF> m_areas;
    std::vector<Disc> m_discs;
};
