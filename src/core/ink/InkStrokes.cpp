#include "InkStrokes.h"

#include <algorithm>
#include <cmath>

namespace core {

namespace {

// Where a stroke with this id is, or would go, among strokes sorted by id.
template <typename Strokes>
auto byIdIn(Strokes &strokes, std::uint32_t id)
{
    return std::lower_bound(strokes.begin(), strokes.end(), id,
                            [](const std::unique_ptr<InkStroke> &s, std::uint32_t i) { return s->id() < i; });
}

bool usableStroke(const Stroke &s)
{
    if (s.points.empty() || !std::isfinite(s.width) || !(s.width > 0))
        return false;
    return std::all_of(s.points.begin(), s.points.end(), [](const InkPoint &p) {
        return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.widthFactor) && p.widthFactor > 0;
    });
}

// Strokes nobody draws.
class Unwatched : public InkStrokes::Watcher
{
public:
    void grew(PointerId, const InkStroke &) override {}
    void ended(PointerId, const InkStroke &) override {}
    void finished(const InkStroke &) override {}
    void leaving(InkStrokes::StepId, const InkStrokes::Ids &) override {}
    void left(InkStrokes::StepId) override {}
    void returned(InkStrokes::StepId, const InkStrokes::Ids &, bool) override {}
    void forgotten(InkStrokes::StepId) override {}
};

Unwatched g_unwatched;

} // namespace

InkStrokes::InkStrokes() : m_watcher(&g_unwatched) {}
InkStrokes::~InkStrokes() = default;

// ---------------------------------------------------------------- strokes being drawn

void InkStrokes::begin(PointerId pointer, InkStroke stroke)
{
    end(pointer);
    const InkStroke &live = m_live.emplace(pointer, std::move(stroke)).first->second;
    m_serials[pointer] = ++m_begun;
    m_watcher->grew(pointer, live);
}

void InkStrokes::extend(PointerId pointer, const InkPoint &point)
{
    const auto it = m_live.find(pointer);
    if (it == m_live.end())
        return;
    it->second.append(point);
    m_watcher->grew(pointer, it->second);
}

void InkStrokes::end(PointerId pointer)
{
    const auto it = m_live.find(pointer);
    if (it == m_live.end())
        return;
    auto stroke = std::make_unique<InkStroke>(std::move(it->second));
    m_live.erase(it);
    m_serials.erase(pointer);
    m_watcher->ended(pointer, *stroke);
    stroke->finish();
    ++m_changes;
    stroke->setId(m_nextId++);
    const InkStroke &drawn = *m_strokes.emplace_back(std::move(stroke));
    m_watcher->finished(drawn);
    auto step = newStep(true);
    step->ids = {drawn.id()};
    step->held.resize(1);
    record(std::move(step));
}

void InkStrokes::endAll()
{
    endWhere([](PointerId) { return true; });
}

void InkStrokes::drop(PointerId pointer)
{
    m_serials.erase(pointer);
    const auto it = m_live.find(pointer);
    if (it == m_live.end())
        return;
    m_watcher->ended(pointer, it->second);
    m_live.erase(it);
}

// ---------------------------------------------------------------- history

std::unique_ptr<InkStrokes::Step> InkStrokes::newStep(bool adds) const
{
    auto step = std::make_unique<Step>();
    step->id = m_nextStep++;
    step->adds = adds;
    return step;
}

void InkStrokes::putOn(Step &step)
{
    ++m_changes;
    const bool onTop = m_strokes.empty() || step.ids.front() > m_strokes.back()->id();
    // Both runs are sorted by id: one merge puts every stroke back in its place.
    const auto present = std::ptrdiff_t(m_strokes.size());
    for (auto &stroke : step.held)
        m_strokes.push_back(std::move(stroke));
    std::inplace_merge(m_strokes.begin(), m_strokes.begin() + present, m_strokes.end(),
                       [](const auto &a, const auto &b) { return a->id() < b->id(); });
    m_watcher->returned(step.id, step.ids, onTop);
}

void InkStrokes::takeOff(Step &step)
{
    ++m_changes;
    m_watcher->leaving(step.id, step.ids);
    step.held.resize(step.ids.size());
    // One pass over the page: the strokes named go to the step, the rest close up.
    std::size_t taken = 0, kept = 0;
    for (auto &stroke : m_strokes) {
        if (taken < step.ids.size() && stroke->id() == step.ids[taken])
            step.held[taken++] = std::move(stroke);
        else
            m_strokes[kept++] = std::move(stroke);
    }
    m_strokes.resize(kept);
    m_watcher->left(step.id);
}

void InkStrokes::record(std::unique_ptr<Step> step)
{
    m_erasing = false;
    for (const auto &dropped : m_redo)
        m_watcher->forgotten(dropped->id);
    m_redo.clear();
    m_undo.push_back(std::move(step));
    if (m_undo.size() > kMaxUndoSteps) {
        m_watcher->forgotten(m_undo.front()->id);
        m_undo.pop_front();
    }
}

// What the teacher sees last is a stroke still being drawn, even one whose
// release never arrived: it ends first and is the step taken back.
bool InkStrokes::undo()
{
    endAll();
    if (m_undo.empty())
        return false;
    m_erasing = false;
    std::unique_ptr<Step> step = std::move(m_undo.back());
    m_undo.pop_back();
    if (step->adds)
        takeOff(*step);
    else
        putOn(*step);
    m_redo.push_back(std::move(step));
    return true;
}

bool InkStrokes::redo()
{
    endAll();
    if (m_redo.empty())
        return false;
    m_erasing = false;
    std::unique_ptr<Step> step = std::move(m_redo.back());
    m_redo.pop_back();
    if (step->adds)
        putOn(*step);
    else
        takeOff(*step);
    m_undo.push_back(std::move(step));
    return true;
}

bool InkStrokes::clear()
{
    endAll();
    if (m_strokes.empty())
        return false;
    auto step = newStep(false);
    for (const auto &stroke : m_strokes)
        step->ids.push_back(stroke->id());
    takeOff(*step);
    record(std::move(step));
    return true;
}

bool InkStrokes::eraseAlong(PointF a, PointF b, double reach)
{
    Ids ids;
    for (const auto &stroke : m_strokes)
        if (stroke->passesWithin(a, b, reach))
            ids.push_back(stroke->id());
    if (ids.empty())
        return false;
    Step *gesture = m_erasing && !m_undo.empty() && !m_undo.back()->adds ? m_undo.back().get() : nullptr;
    auto removal = gesture ? std::make_unique<Step>(Step{gesture->id, false, {}, {}}) : newStep(false);
    removal->ids = std::move(ids);
    takeOff(*removal);
    if (!gesture) {
        record(std::move(removal));
        m_erasing = true;
        return true;
    }
    // The same gesture: one step, its strokes kept in order of their ids.
    for (std::size_t i = 0; i < removal->ids.size(); ++i) {
        const auto at = std::lower_bound(gesture->ids.begin(), gesture->ids.end(), removal->ids[i]);
        const auto offset = at - gesture->ids.begin();
        gesture->ids.insert(at, removal->ids[i]);
        gesture->held.insert(gesture->held.begin() + offset, std::move(removal->held[i]));
    }
    return true;
}

InkStrokes::Prepared InkStrokes::prepare(std::vector<Stroke> strokes)
{
    Prepared prepared;
    for (Stroke &s : strokes)
        if (usableStroke(s))
            prepared.push_back(std::make_unique<InkStroke>(std::move(s)));
    return prepared;
}

bool InkStrokes::restore(Prepared strokes)
{
    if (strokes.empty())
        return false;
    auto step = newStep(true);
    for (const auto &stroke : strokes) {
        step->ids.push_back(m_nextId);
        stroke->setId(m_nextId++);
    }
    step->held = std::move(strokes);
    putOn(*step);
    step->held.clear();
    step->held.resize(step->ids.size());
    record(std::move(step));
    return true;
}

void InkStrokes::replace(Prepared strokes)
{
    // Most copies only grow by a stroke: those draw just what was added.
    bool grows = strokes.size() >= m_strokes.size() && m_live.empty();
    for (std::size_t i = 0; grows && i < m_strokes.size(); ++i) {
        const Stroke &had = m_strokes[i]->data(), &now = strokes[i]->data();
        grows = had.color == now.color && had.width == now.width && had.points.size() == now.points.size() &&
                std::equal(had.points.begin(), had.points.end(), now.points.begin(), [](const InkPoint &a, const InkPoint &b) {
                    return a.x == b.x && a.y == b.y && a.widthFactor == b.widthFactor;
                });
    }
    while (!m_live.empty())
        drop(m_live.begin()->first);
    for (StepId step : stepsByDistance())
        m_watcher->forgotten(step);
    m_undo.clear();
    m_redo.clear();
    m_erasing = false;
    const std::size_t kept = grows ? m_strokes.size() : 0;
    if (!grows && !m_strokes.empty()) {
        auto all = newStep(false);
        for (const auto &stroke : m_strokes)
            all->ids.push_back(stroke->id());
        takeOff(*all);
        m_watcher->forgotten(all->id);
    }
    if (kept == strokes.size())
        return;
    ++m_changes;
    for (std::size_t i = kept; i < strokes.size(); ++i) {
        strokes[i]->setId(m_nextId++);
        m_watcher->finished(*m_strokes.emplace_back(std::move(strokes[i])));
    }
}

// ---------------------------------------------------------------- queries

std::vector<InkStrokes::LiveStroke> InkStrokes::liveStrokes() const
{
    std::vector<LiveStroke> out;
    for (const auto &[pointer, stroke] : m_live)
        out.push_back({m_serials.at(pointer), &stroke.data()});
    return out;
}

const InkStroke &InkStrokes::byId(std::uint32_t id) const { return **byIdIn(m_strokes, id); }

std::vector<const Stroke *> InkStrokes::strokes() const
{
    std::vector<const Stroke *> out;
    out.reserve(m_strokes.size());
    for (const auto &stroke : m_strokes)
        out.push_back(&stroke->data());
    return out;
}

std::size_t InkStrokes::pointCount() const
{
    std::size_t points = 0;
    for (const auto &stroke : m_strokes)
        points += stroke->size();
    return points;
}

std::vector<InkStrokes::StepId> InkStrokes::stepsByDistance() const
{
    std::vector<StepId> steps;
    for (const auto &step : m_undo)
        steps.push_back(step->id);
    for (const auto &step : m_redo)
        steps.push_back(step->id);
    return steps;
}

} // namespace core
