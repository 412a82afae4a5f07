#include "WebSectors.h"

#include "ChangedArea.h"
#include "FlatDrawOps.h"
#include "Lesson.h"
#include "PageRenderer.h"
#include "FigureMath.h"
#include "ParallelogramFigure.h"
#include "WebInk.h"

#include <emscripten/bind.h>

using emscripten::val;
using core::Lesson;

std::map<int, WebSectors::Drawn> &WebSectors::drawn()
{
    static std::map<int, Drawn> pages;
    return pages;
}

void WebSectors::forget() { drawn().clear(); }

val WebSectors::drawChanges(const Lesson &lesson, int page, int width, int height, bool whole,
                            const core::TextMeasure &measure)
{
    const core::PageView view = lesson.view(page, core::Size(width, height));
    Drawn &before = drawn()[page];
    if (!whole && before.calls && before.view == view)
        return val::null();
    auto calls = std::make_unique<core::DrawList>(float(width), float(height));
    core::PageRenderer::paint(*calls, view, measure);
    std::optional<std::vector<core::Rect>> area;
    if (!whole && before.calls)
        area = core::ChangedArea::between(*before.calls, *calls);
    const std::vector<core::Rect> rects = area.value_or(std::vector<core::Rect>{core::Rect(0, 0, width, height)});
    val pieces = val::array();
    for (const core::Rect &r : rects) {
        FlatDrawOps ops{float(width), float(height)};
        core::ChangedArea::redraw(*calls, ops, {r});
        val piece = val::object();
        for (const auto &[name, each] : {std::pair{"rect", r}, std::pair{"reach", core::ChangedArea::reach(*calls, r)}}) {
            val numbers = val::array();
            for (const int n : {each.x(), each.y(), each.width(), each.height()})
                numbers.call<void>("push", n);
            piece.set(name, numbers);
        }
        piece.set("calls", val(emscripten::typed_memory_view(ops.numbers.size(), ops.numbers.data())).call<val>("slice"));
        val texts = val::array();
        for (const std::string &t : ops.texts)
            texts.call<void>("push", t);
        piece.set("texts", texts);
        pieces.call<void>("push", piece);
    }
    val out = val::object();
    out.set("whole", !area.has_value());
    out.set("pieces", pieces);
    before = {view, std::move(calls)};
    return out;
}

namespace {

// The lesson's sector commands as the page's script gives them: a pointer is
// its kind and the browser's id, points are CSS pixels of the picture's inner area.
bool grabSector(Lesson &lesson, int kind, int id, double x, double y, int width, int height)
{
    return lesson.grabSector(WebInk::pointer(kind, id), {x, y}, core::Size(width, height));
}

bool moveSector(Lesson &lesson, int kind, int id, double x, double y, int width, int height)
{
    return lesson.moveSector(WebInk::pointer(kind, id), {x, y}, core::Size(width, height));
}

bool dropSector(Lesson &lesson, int kind, int id) { return lesson.dropSector(WebInk::pointer(kind, id)); }

bool holdsSector(const Lesson &lesson, int kind, int id) { return lesson.holdsSector(WebInk::pointer(kind, id)); }

void dropSectorsOf(Lesson &lesson, int kind)
{
    lesson.dropSectorsWhere([kind](core::PointerId p) { return WebInk::kindOf(p) == kind; });
}

int sectorLayout(const Lesson &lesson)
{
    for (std::size_t i = 0; i < core::SectorLayouts::kChoices.size(); ++i)
        if (core::SectorLayouts::kChoices[i].layout == lesson.sectorLayout())
            return int(i);
    return 0;
}

// Only a layout on offer; another number is ignored.
void setSectorLayout(Lesson &lesson, int index)
{
    if (index >= 0 && std::size_t(index) < core::SectorLayouts::kChoices.size())
        lesson.setSectorLayout(core::SectorLayouts::kChoices[std::size_t(index)].layout);
}

void setHandMode(Lesson &lesson, bool on) { lesson.setHandMode(on); }

// The hand's arrangement as plain numbers, to send and compare:
// {poses: [[x, y, angle, flipped] or null, …], stack: […]}, in the figure's units.
val arrangement(const Lesson &lesson)
{
    const core::SectorArrangement &a = lesson.arrangement();
    val poses = val::array();
    for (const std::optional<core::SectorPose> &p : a.poses) {
        if (!p) {
            poses.call<void>("push", val::null());
            continue;
        }
        val pose = val::array();
        for (const double n : {p->apex.x(), p->apex.y(), p->angle})
            pose.call<void>("push", n);
        pose.call<void>("push", p->flipped);
        poses.call<void>("push", pose);
    }
    val stack = val::array();
    for (const int s : a.stack)
        stack.call<void>("push", s);
    val out = val::object();
    out.set("poses", poses);
    out.set("stack", stack);
    return out;
}

// An arrangement from elsewhere, as arrangement() gives it; anything else,
// or one the lesson's rules refuse, is refused whole.
bool showArrangement(Lesson &lesson, val sent)
{
    constexpr int kPoseNumbers = 4;
    const val poses = sent["poses"], stack = sent["stack"];
    if (!poses.isArray() || !stack.isArray() || poses["length"].as<int>() > core::SectorArrangement::kMaxSectors ||
        stack["length"].as<int>() > core::SectorArrangement::kMaxSectors)
        return false;
    core::SectorArrangement a;
    for (int i = 0; i < poses["length"].as<int>(); ++i) {
        const val p = poses[i];
        if (p.isNull()) {
            a.poses.emplace_back();
            continue;
        }
        if (!p.isArray() || p["length"].as<int>() != kPoseNumbers)
            return false;
        for (int k = 0; k < kPoseNumbers - 1; ++k)
            if (!p[k].isNumber())
                return false;
        a.poses.push_back(core::SectorPose{{p[0].as<double>(), p[1].as<double>()}, p[2].as<double>(), p[3].isTrue()});
    }
    for (int i = 0; i < stack["length"].as<int>(); ++i) {
        if (!stack[i].isNumber())
            return false;
        const double s = stack[i].as<double>();
        if (s != double(int(s)))
            return false;
        a.stack.push_back(int(s));
    }
    return lesson.showArrangement(a);
}

// Where the sectors' circle lies in a picture of this size: [x, y, radius, a sector's degrees].
val sectorsCircle(int width, int height, int half)
{
    const core::ParallelogramFigure f = core::ParallelogramFigure::compute(float(width), float(height), half, 0);
    val out = val::array();
    for (const double n : {double(f.centre.x()), double(f.centre.y()), double(f.R), f.theta * 180 / core::kPi})
        out.call<void>("push", n);
    return out;
}

} // namespace

EMSCRIPTEN_BINDINGS(tamsel_sectors)
{
    using emscripten::function;
    function("grabSector", &grabSector);
    function("moveSector", &moveSector);
    function("dropSector", &dropSector);
    function("holdsSector", &holdsSector);
    function("dropSectorsOf", &dropSectorsOf);
    function("sectorLayout", &sectorLayout);
    function("setSectorLayout", &setSectorLayout);
    function("setHandMode", &setHandMode);
    function("handMode", +[](const Lesson &l) { return l.handMode(); });
    function("toggleHandMode", +[](Lesson &l) { l.toggleHandMode(); });
    function("nextSectorLayout", +[](Lesson &l) { l.nextSectorLayout(); });
    function("canStart", +[](const Lesson &l) { return l.canStart(); });
    function("forgetDrawings", &WebSectors::forget);
    function("arrangement", &arrangement);
    function("showArrangement", &showArrangement);
    function("sectorsCircle", &sectorsCircle);
}
