// The core as the page's script sees it: the lesson with its commands and
// change events, the page table, the layouts, a page's drawing as flat
// numbers, the ink, the board's bytes and the stored choices.

#include "CanvasTextMeasure.h"
#include "ClassRoom.h"
#include "DrawnViews.h"
#include "FlatDrawOps.h"
#include "BuildStamp.h"
#include "HelpText.h"
#include "KeptBoards.h"
#include "Lesson.h"
#include "PageRenderer.h"
#include "PaperDrawOps.h"
#include "PenPalette.h"
#include "WebBoard.h"
#include "WebClass.h"
#include "WebInk.h"
#include "WebLayout.h"
#include "WebPrint.h"
#include "WebSectors.h"

#include <emscripten/bind.h>

#include <memory>

using emscripten::val;
using core::Lesson;

namespace {

std::unique_ptr<CanvasTextMeasure> &textMeasure()
{
    static std::unique_ptr<CanvasTextMeasure> measure;
    return measure;
}

void setTextMeasure(val canvas) { textMeasure() = std::make_unique<CanvasTextMeasure>(std::move(canvas)); }

void forgetTextMeasures()
{
    if (textMeasure())
        textMeasure()->forget();
}

val numbersOf(const std::vector<double> &numbers)
{
    return val(emscripten::typed_memory_view(numbers.size(), numbers.data())).call<val>("slice");
}

// {calls, texts}: the page as its picture shows it in an inner area of this size.
val drawPage(const Lesson &lesson, int page, int width, int height, bool darkOnWhite)
{
    FlatDrawOps ops{float(width), float(height)};
    core::PaperDrawOps paper(ops);
    core::DrawOps &surface = darkOnWhite ? static_cast<core::DrawOps &>(paper) : ops;
    if (textMeasure())
        core::PageRenderer::paint(surface, lesson.view(page, core::Size(width, height)), *textMeasure());
    val out = val::object();
    out.set("calls", numbersOf(ops.numbers));
    val texts = val::array();
    for (const std::string &t : ops.texts)
        texts.call<void>("push", t);
    out.set("texts", texts);
    return out;
}

// The page's picture where it changed since the last call (WebSectors).
val drawChanges(const Lesson &lesson, int page, int width, int height, bool whole)
{
    return textMeasure() ? WebSectors::drawChanges(lesson, page, width, height, whole, *textMeasure()) : val::null();
}

val layout(int width, int height)
{
    const WebLayout l = WebLayout::compute(width, height);
    val out = val::object();
    setControls(out, l);
    return out;
}

val pageRow(const Lesson &lesson, int page)
{
    const core::PageRow &row = lesson.row(page);
    val out = val::object();
    out.set("caption", std::string(row.caption));
    out.set("valueName", std::string(row.valueName));
    out.set("valueDescription", std::string(row.valueDescription));
    out.set("valueUnit", std::string(row.valueUnit));
    out.set("id", std::string(row.id));
    out.set("animates", row.animates);
    out.set("button", row.buttonCaption ? val(std::string(row.buttonCaption)) : val::null());
    out.set("hasSteps", row.steps != nullptr);
    out.set("hasAids", row.addAids != nullptr);
    val choices = val::array();
    for (const char *choice : row.choices)
        choices.call<void>("push", std::string(choice));
    out.set("choices", choices);
    const core::PageControls has = core::PageTable::controls(page);
    val controls = val::object();
    controls.set("scroll", has.scroll);
    controls.set("label", has.label);
    controls.set("start", has.start);
    out.set("controls", controls);
    if (row.range) {
        out.set("min", row.range->min);
        out.set("max", row.range->max);
    }
    return out;
}

// The page ids that stored names mention and this version does not have.
val unknownPages(val keys)
{
    val out = val::array();
    for (const std::string &id : core::StoredChoices::unknownPages(emscripten::vecFromJSArray<std::string>(keys)))
        out.call<void>("push", id);
    return out;
}

// [min, max] of the figure's second length, or null where it takes one.
val secondRange(const Lesson &lesson, int page)
{
    const std::optional<core::ValueRange> range = lesson.secondRange(page);
    if (!range)
        return val::null();
    val out = val::array();
    out.call<void>("push", range->min);
    out.call<void>("push", range->max);
    return out;
}

val pens()
{
    val out = val::array();
    for (const core::PenPalette::Pen &pen : core::PenPalette::pens()) {
        val p = val::object();
        p.set("colour", pen.colour.name());
        p.set("name", std::string(pen.name));
        p.set("mnemonic", std::string(1, pen.mnemonic));
        out.call<void>("push", p);
    }
    return out;
}

val weights()
{
    val out = val::array();
    for (const core::LineWeight::Choice &choice : core::LineWeight::kChoices) {
        val w = val::object();
        w.set("factor", choice.factor);
        w.set("name", std::string(choice.name));
        w.set("mnemonic", std::string(1, choice.mnemonic));
        out.call<void>("push", w);
    }
    return out;
}

val radiiCm()
{
    val out = val::array();
    for (const int cm : core::RadiusCm::kChoices)
        out.call<void>("push", cm);
    return out;
}

void listen(Lesson &lesson, val listener)
{
    lesson.listen([listener](Lesson::Change change, int page) { listener(change, page); });
}

int weightOf(const Lesson &lesson) { return lesson.weight().factor(); }
void setWeight(Lesson &lesson, int factor)
{
    if (const std::optional<core::LineWeight> w = core::LineWeight::fromFactor(factor))
        lesson.setWeight(*w);
}
std::string penOf(const Lesson &lesson, int page) { return lesson.pen(page).name(); }
std::string penName(const Lesson &lesson, int page) { return core::PenPalette::nameOf(lesson.pen(page)); }
std::string penMark(const Lesson &lesson, int page) { return core::PenPalette::markOn(lesson.pen(page)).name(); }
// Only the pens on offer: the menu's and the number keys'.
void setPen(Lesson &lesson, int page, const std::string &name)
{
    if (const std::optional<core::Color> c = core::Color::fromName(name); c && core::PenPalette::offers(*c))
        lesson.setPen(page, *c);
}
void cyclePen(Lesson &lesson) { lesson.cyclePen(); }

// {title, closing, tips: {swatch, clear, start}}; the lines are the command table's.
val helpText()
{
    namespace HelpText = core::HelpText;
    val out = val::object();
    out.set("title", HelpText::title());
    out.set("closing", HelpText::closing());
    val tips = val::object();
    tips.set("swatch", HelpText::swatchTip());
    tips.set("clear", HelpText::clearTip());
    tips.set("start", HelpText::startTip());
    tips.set("next", HelpText::nextTip());
    out.set("tips", tips);
    return out;
}

// The build's name, as the page's files carry it.
std::string build() { return TAMSEL_BUILD; }

} // namespace

EMSCRIPTEN_BINDINGS(tamsel)
{
    using emscripten::function;

    emscripten::enum_<Lesson::Change>("Change")
        .value("Page", Lesson::Change::Page)
        .value("Value", Lesson::Change::Value)
        .value("Figure", Lesson::Change::Figure)
        .value("Running", Lesson::Change::Running)
        .value("Aids", Lesson::Change::Aids)
        .value("Weight", Lesson::Change::Weight)
        .value("Pen", Lesson::Change::Pen)
        .value("SharedPen", Lesson::Change::SharedPen)
        .value("Grid", Lesson::Change::Grid)
        .value("Squares", Lesson::Change::Squares)
        .value("Ink", Lesson::Change::Ink)
        .value("Lengths", Lesson::Change::Lengths)
        .value("Pages", Lesson::Change::Pages)
        .value("Layout", Lesson::Change::Layout)
        .value("Eraser", Lesson::Change::Eraser)
        .value("Toolbar", Lesson::Change::Toolbar);

    emscripten::class_<Lesson>("Lesson")
        .constructor<>()
        .function("pageCount", &Lesson::pageCount)
        .function("page", &Lesson::page)
        .function("showPage", &Lesson::showPage)
        .function("nextPage", &Lesson::nextPage)
        .function("previousPage", &Lesson::previousPage)
        .function("pause", &Lesson::pause)
        .function("value", &Lesson::value)
        .function("setValue", &Lesson::setValue)
        .function("valueText", &Lesson::valueText)
        .function("animatedPage", &Lesson::animatedPage)
        .function("step", static_cast<int (Lesson::*)() const>(&Lesson::step))
        .function("stepOf", static_cast<int (Lesson::*)(int) const>(&Lesson::step))
        .function("stepCount", &Lesson::stepCount)
        .function("pressButton", &Lesson::pressButton)
        .function("shown", &Lesson::shown)
        .function("setShown", &Lesson::setShown)
        .function("choice", &Lesson::choice)
        .function("setChoice", &Lesson::setChoice)
        .function("second", &Lesson::second)
        .function("setSecond", &Lesson::setSecond)
        .function("secondRange", &secondRange)
        .function("sectors", &Lesson::sectors)
        .function("running", &Lesson::running)
        .function("pressStart", &Lesson::pressStart)
        .function("tick", &Lesson::tick)
        .function("stepSectors", &Lesson::stepSectors)
        .function("stepLesson", &Lesson::stepLesson)
        .function("returnAllSectors", &Lesson::returnAllSectors)
        .function("aidsShown", &Lesson::aidsShown)
        .function("hasAids", &Lesson::hasAids)
        .function("toggleAids", &Lesson::toggleAids)
        .function("formulaLines", static_cast<int (Lesson::*)() const>(&Lesson::formulaLines))
        .function("realLengths", &Lesson::realLengths)
        .function("setRealLengths", &Lesson::setRealLengths)
        .function("toggleRealLengths", &Lesson::toggleRealLengths)
        .function("radiusCm", &Lesson::radiusCm)
        .function("setRadiusCm", &Lesson::setRadiusCm)
        .function("gridShown", &Lesson::gridShown)
        .function("hasGrid", &Lesson::hasGrid)
        .function("toggleGrid", &Lesson::toggleGrid)
        .function("squaresShown", &Lesson::squaresShown)
        .function("hasSquares", &Lesson::hasSquares)
        .function("toggleSquares", &Lesson::toggleSquares)
        .function("paperStep", &Lesson::paperStep)
        .function("quarterCount", &Lesson::quarterCount)
        .function("diameterFormula", &Lesson::diameterFormula)
        .function("undo", &Lesson::undo)
        .function("redo", &Lesson::redo)
        .function("clearInk", &Lesson::clearInk)
        .function("canUndo", &Lesson::canUndo)
        .function("canRedo", &Lesson::canRedo)
        .function("erasing", &Lesson::erasing)
        .function("setErasing", &Lesson::setErasing)
        .function("toolbarShown", &Lesson::toolbarShown)
        .function("hintSeen", &Lesson::hintSeen)
        .function("noteHintSeen", &Lesson::noteHintSeen)
        .function("weight", &weightOf)
        .function("setWeight", &setWeight)
        .function("pen", &penOf)
        .function("penName", &penName)
        .function("penMark", &penMark)
        .function("setPen", &setPen)
        .function("cyclePen", &cyclePen)
        .function("sharedPen", &Lesson::sharedPen)
        .function("setSharedPen", &Lesson::setSharedPen)
        .function("row", &pageRow)
        .function("listen", &listen);

    emscripten::class_<WebInk>("Ink")
        .constructor<Lesson &>()
        .function("place", &WebInk::place)
        .function("begin", &WebInk::begin)
        .function("extend", &WebInk::extend)
        .function("end", &WebInk::end)
        .function("endKind", &WebInk::endKind)
        .function("endAll", &WebInk::endAll)
        .function("drawing", &WebInk::drawing)
        .function("dropStillAt", &WebInk::dropStillAt)
        .function("erase", &WebInk::erase)
        .function("endErase", &WebInk::endErase)
        .function("takeDirty", &WebInk::takeDirty)
        .function("pixels", &WebInk::pixels)
        .function("pointCount", &WebInk::pointCount);

    emscripten::class_<DrawnViews>("DrawnViews")
        .constructor<>()
        .function("changed", &DrawnViews::changed)
        .function("forget", &DrawnViews::forget);

    emscripten::class_<WebPrint>("Print")
        .constructor<>()
        .function("ink", &WebPrint::ink)
        .class_function("cutOut", &WebPrint::cutOut);

    emscripten::class_<core::ClassRoom>("Room")
        .constructor<Lesson &>()
        .function("teach", &core::ClassRoom::teach)
        .function("join", &core::ClassRoom::join)
        .function("leave", &core::ClassRoom::leave)
        .function("connected", &core::ClassRoom::connected)
        .function("pupilsFree", &core::ClassRoom::pupilsFree)
        .function("setPupilsFree", &core::ClassRoom::setPupilsFree)
        .function("clearPupilBoards", &core::ClassRoom::clearPupilBoards)
        .function("end", &core::ClassRoom::end)
        .function("following", &core::ClassRoom::following)
        .function("drivesClock", &core::ClassRoom::drivesClock)
        .function("pump", &core::ClassRoom::pump)
        .function("dropped", &core::ClassRoom::dropped)
        .function("pupilCount", &core::ClassRoom::pupilCount)
        .function("setSender", &WebClass::setSender)
        .function("listen", &WebClass::listen)
        .function("receive", &WebClass::receive)
        .function("subscriptions", &WebClass::subscriptions)
        .function("role", &WebClass::role)
        .function("code", &WebClass::code)
        .function("pupilId", &WebClass::pupilId)
        .function("teacherLesson", &WebClass::teacherLesson, emscripten::allow_raw_pointers())
        .function("pupilLesson", &WebClass::pupilLesson, emscripten::allow_raw_pointers())
        .function("pupilName", &WebClass::pupilName)
        .function("pupilIdAt", &WebClass::pupilIdAt)
        .function("pupilNews", &WebClass::pupilNews);
    function("makeCode", &WebClass::makeCode);
    function("makePupilId", &WebClass::makePupilId);
    function("readCode", &WebClass::readCode);
    function("readName", &WebClass::readName);
    function("boardInk", &WebClass::boardInk);
    function("strokeCount", &WebClass::strokeCount);

    emscripten::constant("tickMs", Lesson::kTickMs);
    function("widthFactorForPressure", &core::InkLayer::widthFactorForPressure);
    function("setTextMeasure", &setTextMeasure);
    function("forgetTextMeasures", &forgetTextMeasures);
    function("drawPage", &drawPage);
    function("drawChanges", &drawChanges);
    function("layout", &layout);
    function("pens", &pens);
    function("weights", &weights);
    function("radiiCm", &radiiCm);
    function("helpText", &helpText);
    function("unknownPages", &unknownPages);
    function("saveBoard", &WebBoard::save);
    function("restoreBoard", &WebBoard::restore);
    function("readChoices", &WebBoard::readChoices);
    function("writeChoices", &WebBoard::writeChoices);
    function("inspectBoard", &WebBoard::inspect);
    function("keptPlausible", &WebBoard::plausible);
    function("keptToDrop", &WebBoard::toDrop);
    function("keptOffers", &WebBoard::offers);
    function("thumbnailSize", &WebBoard::thumbnailSize);
    emscripten::constant("keptFormat", core::KeptBoards::kFormat);
    emscripten::constant("keptMaxPages", core::KeptBoards::kMaxPages);
    emscripten::constant("keptMaxThumbnailBytes", double(core::KeptBoards::kMaxThumbnailBytes));
    function("build", &build);
}
