#pragma once

#include "InkStroke.h"

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <vector>

namespace core {

// Mouse, each pen and each finger draw their own stroke; this names which.
using PointerId = std::uint64_t;

// A page's ink as the lesson keeps it: finished strokes in the units of the
// page's figure, the stroke each pointer is drawing, and the history, in which
// every finished stroke, clear and erasing gesture is one step. It holds no
// pixels: the view that draws them hears of every change through its Watcher.
class InkStrokes
{
public:
    static constexpr std::size_t kMaxUndoSteps = 500;
    using StepId = std::uint64_t;
    using Ids = std::vector<std::uint32_t>; // ascending
    using Prepared = std::vector<std::unique_ptr<InkStroke>>;
    using Finished = std::deque<std::unique_ptr<InkStroke>>;

    class Watcher
    {
    public:
        virtual ~Watcher() = default;
        // A pointer's stroke began, or grew by a point.
        virtual void grew(PointerId pointer, const InkStroke &stroke) = 0;
        // A pointer's stroke is gone, dropped or finished; when finished, it
        // follows as finished().
        virtual void ended(PointerId pointer, const InkStroke &stroke) = 0;
        // The newest stroke on the page, on top of all others.
        virtual void finished(const InkStroke &stroke) = 0;
        // A step's strokes are about to leave the page, and have left it.
        virtual void leaving(StepId step, const Ids &ids) = 0;
        virtual void left(StepId step) = 0;
        // A step's strokes are back; `onTop` when none lies above them.
        virtual void returned(StepId step, const Ids &ids, bool onTop) = 0;
        // A step has gone from the history for good.
        virtual void forgotten(StepId step) = 0;
    };

    InkStrokes();
    ~InkStrokes();
    InkStrokes(const InkStrokes &) = delete;
    InkStrokes &operator=(const InkStrokes &) = delete;
    void watch(Watcher *watcher) { m_watcher = watcher; }

    // The pointer's earlier stroke ends first.
    void begin(PointerId pointer, InkStroke stroke);
    void extend(PointerId pointer, const InkPoint &point);
    // The stroke becomes one step of the history.
    void end(PointerId pointer);
    void endAll();
    template <typename Pred>
    void endWhere(Pred matches);
    // Leaves no step.
    void drop(PointerId pointer);
    bool drawing() const { return !m_live.empty(); }
    bool drawing(PointerId pointer) const { return m_live.count(pointer) != 0; }
    const std::map<PointerId, InkStroke> &live() const { return m_live; }
    // Strokes still being drawn, each with a number no other stroke of these
    // strokes had, for a class that follows them as they grow.
    struct LiveStroke
    {
        std::uint64_t serial;
        const Stroke *stroke;
    };
    std::vector<LiveStroke> liveStrokes() const;

    // A clear takes the strokes still being drawn too.
    bool clear();
    // Removes every finished stroke that passes within `reach` (figure units)
    // of the segment a→b; removals until endErase() form one step.
    bool eraseAlong(PointF a, PointF b, double reach);
    void endErase() { m_erasing = false; }
    // Both end the strokes still being drawn first, each as a step.
    bool undo();
    bool redo();
    // Saved strokes made ready to draw, those with odd values left out.
    static Prepared prepare(std::vector<Stroke> strokes);
    // Puts strokes back on the page as one step.
    bool restore(Prepared strokes);
    // Shows exactly these strokes, with no history: a copy of someone else's page.
    void replace(Prepared strokes);

    // Finished strokes, bottom to top; ids grow, so they give the order of drawing.
    const Finished &finished() const { return m_strokes; }
    const InkStroke &byId(std::uint32_t id) const;
    std::vector<const Stroke *> strokes() const;
    std::size_t pointCount() const;
    std::size_t undoDepth() const { return m_undo.size(); }
    std::size_t redoDepth() const { return m_redo.size(); }
    // Grows whenever the finished strokes change, so a keeper can tell what to save.
    std::uint64_t changes() const { return m_changes; }
    // Every step of the history, those furthest from the present first.
    std::vector<StepId> stepsByDistance() const;

private:
    // Strokes that one step puts on the page (a new stroke, a restore) or
    // takes off (a clear, an erasing gesture); off the page, the step holds them.
    struct Step
    {
        StepId id = 0;
        bool adds = true;
        Ids ids;
        Prepared held;
    };

    std::unique_ptr<Step> newStep(bool adds) const;
    void putOn(Step &step);
    void takeOff(Step &step);
    void record(std::unique_ptr<Step> step);

    // A deque, as a page of many small strokes would otherwise carry up to
    // half a vector's worth of spare slots and copy them all as it grows.
    Finished m_strokes;
    std::uint32_t m_nextId = 0;
    std::map<PointerId, InkStroke> m_live;
    std::map<PointerId, std::uint64_t> m_serials;
    std::uint64_t m_begun = 0;
    std::deque<std::unique_ptr<Step>> m_undo;
    std::vector<std::unique_ptr<Step>> m_redo;
    mutable StepId m_nextStep = 0;
    bool m_erasing = false;
    std::uint64_t m_changes = 0;
    Watcher *m_watcher = nullptr;
};

template <typename Pred>
void InkStrokes::endWhere(Pred matches)
{
    std::vector<PointerId> ending;
    for (const auto &entry : m_live)
        if (matches(entry.first))
            ending.push_back(entry.first);
    for (PointerId pointer : ending)
        end(pointer);
}

} // namespace core
