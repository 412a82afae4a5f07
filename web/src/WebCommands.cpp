// The command table as the page's script sees it: the rows, their states for
// the page in view, running them, the classroom layout, the help's lines and
// the icons, drawn as flat calls like the figures.

#include "CanvasTextMeasure.h"
#include "ClassroomLayout.h"
#include "CommandHelp.h"
#include "CommandTable.h"
#include "DesignGeometry.h"
#include "FlatDrawOps.h"
#include "HelpText.h"
#include "Lesson.h"
#include "PenPalette.h"
#include "Timings.h"
#include "ToolIcons.h"
#include "WebLayout.h"

#include <emscripten/bind.h>

#include <set>

using emscripten::val;

namespace {

val strings(const std::vector<std::string> &list)
{
    val out = val::array();
    for (const std::string &s : list)
        out.call<void>("push", s);
    return out;
}

// Every row, in table order.
val commands()
{
    val out = val::array();
    for (const core::Command &c : core::CommandTable::rows()) {
        val row = val::object();
        row.set("id", c.id);
        row.set("label", c.label);
        row.set("mnemonic", c.mnemonic ? std::string(1, c.mnemonic) : std::string());
        row.set("shortLabel", c.shortLabel);
        row.set("icon", c.icon);
        row.set("keys", strings(c.keys));
        val shown = val::array();
        for (const std::string &k : c.keys)
            shown.call<void>("push", core::CommandHelp::keyText(k));
        row.set("keyText", shown);
        row.set("menu", int(c.menu));
        row.set("section", c.section);
        row.set("opens", int(c.opens));
        row.set("toolbar", c.toolbar);
        row.set("family", c.family);
        row.set("argument", c.argument);
        row.set("tip", c.tip);
        row.set("core", c.run != nullptr);
        if (c.family == "pen")
            row.set("pen", core::PenPalette::pens()[std::size_t(c.argument)].colour.name());
        out.call<void>("push", row);
    }
    return out;
}

// The state of every row for the page in view, in table order.
val states(const core::Lesson &lesson, int argument)
{
    val out = val::array();
    for (const core::Command &c : core::CommandTable::rows()) {
        const core::CommandState s = core::CommandTable::state(lesson, c, argument);
        val state = val::object();
        state.set("available", s.available);
        state.set("enabled", s.enabled);
        state.set("checkable", s.checkable);
        state.set("checked", s.checked);
        state.set("shortLabel", s.shortLabel);
        state.set("icon", s.icon);
        out.call<void>("push", state);
    }
    return out;
}

bool run(core::Lesson &lesson, const std::string &id, int argument)
{
    return core::CommandTable::run(lesson, id, argument);
}

// The commands the page offers: the core's and those it has handlers for.
core::ClassroomLayout::Offers offering(val offered)
{
    std::set<std::string> ids;
    const int count = offered["length"].as<int>();
    for (int i = 0; i < count; ++i)
        ids.insert(offered[i].as<std::string>());
    return [ids](const core::Command &c) { return c.run || ids.count(c.id) != 0; };
}

val classroomLayout(const core::Lesson &lesson, int width, int height, val offered, val measure)
{
    const CanvasTextMeasure canvas(std::move(measure));
    const core::ClassroomLayout l =
        core::ClassroomLayout::compute(core::Size(width, height), lesson, canvas, offering(std::move(offered)));
    val out = val::object();
    out.set("labelPx", l.labelPx);
    out.set("iconPx", l.iconPx);
    out.set("targetPx", l.targetPx);
    out.set("iconBeside", l.iconBeside);
    val size = val::array();
    size.call<void>("push", l.buttonSize.width());
    size.call<void>("push", l.buttonSize.height());
    out.set("buttonSize", size);
    out.set("toolbar", rectOf(l.toolbar));
    val buttons = val::array();
    for (const core::ClassroomLayout::Button &b : l.buttons) {
        val button = val::object();
        button.set("id", b.command->id);
        button.set("rect", rectOf(b.rect));
        buttons.call<void>("push", button);
    }
    out.set("buttons", buttons);
    setControls(out, l);
    out.set("tabLabelPx", l.tabLabelPx);
    val tabWidths = val::array();
    for (int w : l.tabWidths)
        tabWidths.call<void>("push", w);
    out.set("tabWidths", tabWidths);
    return out;
}

// [{title, lines: [[icon, label, keys], …]}, …]
val commandHelp(const core::Lesson &lesson, val offered)
{
    val out = val::array();
    for (const core::CommandHelp::Section &s : core::CommandHelp::sections(lesson, offering(std::move(offered)))) {
        val section = val::object();
        section.set("title", s.title);
        val lines = val::array();
        for (const core::CommandHelp::Line &l : s.lines)
            lines.call<void>("push", strings({l.icon, l.label, l.keys}));
        section.set("lines", lines);
        out.call<void>("push", section);
    }
    return out;
}

// {calls, texts} of an icon in a square of this side.
val drawIcon(const std::string &icon, int side, const std::string &ink, const std::string &pen)
{
    FlatDrawOps ops{float(side), float(side)};
    core::ToolIcons::paint(ops, icon, core::Color::fromName(ink).value_or(core::ToolIcons::kInk),
                           core::Color::fromName(pen).value_or(core::ToolIcons::kInk));
    val out = val::object();
    out.set("calls", val(emscripten::typed_memory_view(ops.numbers.size(), ops.numbers.data())).call<val>("slice"));
    out.set("texts", strings(ops.texts));
    return out;
}

bool hasIcon(const std::string &icon) { return core::ToolIcons::has(icon); }

// The opcodes and lengths FlatDrawOps writes, for the replay.
val drawCallFormat()
{
    val op = val::object();
    op.set("clear", int(FlatDrawOps::Clear));
    op.set("line", int(FlatDrawOps::Line));
    op.set("circle", int(FlatDrawOps::Circle));
    op.set("text", int(FlatDrawOps::Text));
    op.set("box", int(FlatDrawOps::Box));
    val length = val::array();
    for (const int n : FlatDrawOps::kLength)
        length.call<void>("push", n);
    val out = val::object();
    out.set("op", op);
    out.set("length", length);
    out.set("invisible", int(core::DrawStyle::Invisible));
    out.set("noFill", FlatDrawOps::kNoFill);
    return out;
}

val timings()
{
    val out = val::object();
    out.set("autosaveMs", core::Timings::kAutosaveMs);
    out.set("holdMs", core::Timings::kHoldMs);
    out.set("holdStillPx", core::Timings::kHoldStillPx);
    out.set("penRecentMs", core::Timings::kPenRecentMs);
    return out;
}

std::string firstStartHint() { return core::HelpText::firstStartHint(); }

// The window as designed: the page keeps every pixel of it at exactly this size.
val designSize()
{
    val out = val::array();
    out.call<void>("push", core::DesignGeometry::kStartGeometry.width());
    out.call<void>("push", core::DesignGeometry::kStartGeometry.height());
    return out;
}

} // namespace

EMSCRIPTEN_BINDINGS(tamsel_commands)
{
    using emscripten::function;
    function("commands", &commands);
    function("commandStates", &states);
    function("runCommand", &run);
    function("classroomLayout", &classroomLayout);
    function("commandHelp", &commandHelp);
    function("drawIcon", &drawIcon);
    function("hasIcon", &hasIcon);
    function("drawCallFormat", &drawCallFormat);
    function("timings", &timings);
    function("firstStartHint", &firstStartHint);
    function("designSize", &designSize);
}
