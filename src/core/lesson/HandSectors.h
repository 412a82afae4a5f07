#pragma once

#include "HandFigure.h"
#include "SectorArrangement.h"
#include "Size.h"

#include <cstdint>
#include <map>
#include <vector>

namespace core {

using PointerId = std::uint64_t;

// The circle's sectors moved by hand: which pointer holds which sector, where
// it goes, how it meets the sectors already out, and the moves as steps to
// undo and redo. Points are pixels of the picture's inner area of the size
// given with them; the arrangement is kept in the figure's units, so it
// stays on the figure when the picture changes size.
class HandSectors
{
public:
    static constexpr int kMaxSteps = 200;
    // A press that moves no further than this is a tap.
    static constexpr double kTapWithinPx = 6;
    // How far around a thin sector a finger still takes it.
    static constexpr double kReachPx = 10;
    // A corner let go this close to another sector's corner meets it: the
    // larger of a fingertip and a share of the radius.
    static constexpr double kSnapWithinPx = 16;
    static constexpr double kSnapWithinRadii = 0.08;

    explicit HandSectors(int half = 0);
    // All sectors of a circle of 2 × half back in it, the history gone.
    void restart(int half);
    const SectorArrangement &arrangement() const { return m_now; }

    // The sector under the point, the one on top, is the pointer's until it
    // lets go. One taken from the circle stands upright at once.
    bool grab(PointerId pointer, PointF at, Size inner);
    bool move(PointerId pointer, PointF at, Size inner);
    // A press that hardly moved turns a sector upside down where it lies (one
    // in the circle stays there); one let go over the circle goes back to its
    // place; any other meets the nearest corner of another within reach.
    bool drop(PointerId pointer);
    // The held sector upside down, turned about the middle of its axis.
    bool flip(PointerId pointer);
    bool holds(PointerId pointer) const { return m_held.count(pointer) != 0; }
    bool holding() const { return !m_held.empty(); }
    // Every pointer lets go, each a step of its own.
    bool dropAll();
    // Every sector back in the circle, as one step.
    bool reset();
    bool undo();
    bool redo();
    // Another's arrangement (a pupil's) shown here as one step; refused
    // unless valid and of this circle's count.
    bool show(const SectorArrangement &arrangement);

private:
    struct Hold
    {
        int sector = 0;
        PointF grip; // the point held, along the sector's axis and across it, in units
        PointF at;   // the pointer, in units
        PointF pressedPx;
        double travelledPx = 0;
        Size inner;
        bool fromCircle = false;
    };

    HandFigure::Geometry geometry(Size inner) const;
    int sectorAt(const HandFigure::Geometry &g, PointF units) const;
    bool heldByAny(int sector) const;
    void raise(int sector);
    void snap(int sector, const HandFigure::Geometry &g);
    void putBack(int sector);
    void commit();

    int m_half = 0;
    SectorArrangement m_now;
    std::vector<SectorArrangement> m_steps;
    std::size_t m_at = 0;
    std::map<PointerId, Hold> m_held;
};

} // namespace core
