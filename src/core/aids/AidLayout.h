#pragma once

#include "DrawOps.h"
#include "RectF.h"

#include <string>
#include <vector>

namespace core {

class TextMeasure;

// Finds room for the lesson aids' text in a picture. A block of lines goes to
// the first of its candidate places where, at the largest size it can take
// between the full size and the smallest, it stays inside the picture and
// clear of the figure and of the blocks placed before it. A block that fits
// nowhere is left out rather than drawn over the figure or cut off, and a
// block the lesson needs says so: one line names what was left out.
class AidLayout
{
public:
    inline static const Color kTextColor{255, 255, 255};
    inline static const Color kOutlineColor{0, 32, 0};
    // Outline width and the clearance around a block, as shares of the text size.
    static constexpr double kOutlineShare = 1.0 / 6;
    static constexpr double kGapShare = 0.3;
    // Each size tried is this share of the one before.
    static constexpr double kShrinkStep = 0.92;
    // A block with no room where it belongs may shrink this much further elsewhere.
    static constexpr double kElsewhereShare = 0.8;

    // Which point of a box, or how lines sit in a block.
    enum Align : unsigned {
        Left = 0x1,
        Right = 0x2,
        HCenter = 0x4,
        Top = 0x20,
        Bottom = 0x40,
        VCenter = 0x80,
    };

    // The point of a block's box named by `align` lies on `at`.
    struct Place
    {
        PointF at;
        unsigned align;
    };

    AidLayout(double width, double height, int fullPx, int smallestPx, const TextMeasure &measure);

    int fullPx() const { return m_fullPx; }
    // The clearance kept between a block and anything else, at the full size.
    double gapPx() const { return m_fullPx * kGapShare; }
    const TextMeasure &measure() const { return m_measure; }

    // A corner or the middle of an edge of the picture, just inside it.
    Place inside(unsigned align) const;

    void avoid(const RectF &area) { m_areas.push_back(area); }
    void avoidDisc(PointF centre, double radius) { m_discs.push_back({centre, radius}); }

    // One call per line, or none when the block fits nowhere. Lines are aligned
    // within the block by `lineAlign`: left, right or centred. A block that
    // stands by another may be held to its size by `largestPx`.
    std::vector<TextCall> place(const std::vector<std::string> &lines, const std::vector<Place> &places,
                                unsigned lineAlign = Left, int largestPx = 0);
    // A block that must not go missing: placed as place() does, else in its
    // narrow lines, else in any corner, at an edge or beside a block already
    // placed, smaller; where none fits, `name` joins the note of what was left out.
    std::vector<TextCall> placeBlock(const std::string &name, const std::vector<std::string> &lines,
                                     const std::vector<Place> &places, const std::vector<std::string> &narrow = {},
                                     int largestPx = 0);
    void leftOut(const std::string &name) { m_leftOut.push_back(name); }
    // One line naming every block left out, or nothing.
    std::vector<TextCall> leftOutNote();

private:
    struct Disc
    {
        PointF centre;
        double radius;
    };
    bool clear(const RectF &box, double gap) const;
    // The block at the first place it fits, each place from the largest size
    // down; or, `largestFirst`, at the largest size any place takes.
    std::vector<TextCall> fit(const std::vector<std::string> &lines, const std::vector<Place> &places, unsigned lineAlign,
                              int largestPx, int smallestPx, bool largestFirst) const;
    // Keeps the rest clear of a block placed.
    std::vector<TextCall> commit(std::vector<TextCall> calls);
    std::vector<Place> elsewhere() const;

    RectF m_picture;
    int m_fullPx;
    int m_smallestPx;
    const TextMeasure &m_measure;
    std::vector<RectF> m_areas;
    std::vector<Disc> m_discs;
    std::vector<RectF> m_blocks;
    std::vector<std::string> m_leftOut;
};

} // namespace core
