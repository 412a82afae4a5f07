#include "WebPrint.h"

#include "CutOutCircle.h"
#include "FlatDrawOps.h"
#include "InkLayer.h"
#include "Lesson.h"
#include "PageRenderer.h"
#include "PenPalette.h"
#include "StraightRgba.h"

#include <emscripten/val.h>

#include <algorithm>

emscripten::val WebPrint::ink(const core::Lesson &lesson, int page, int innerWidth, int innerHeight, double scale,
                              bool darkOnWhite)
{
    core::InkLayer layer;
    layer.setFrame(core::PageRenderer::inkFrame(page, float(innerWidth), float(innerHeight)));
    layer.resize(core::Size(innerWidth, innerHeight), scale);
    // On white paper the pens are darkened to read instead.
    layer.setEdged(!darkOnWhite && lesson.weight().factor() > 1);
    if (!darkOnWhite)
        layer.canvas().setGround(
            core::PageRenderer::inkGround(lesson.view(page, core::Size(innerWidth, innerHeight)), {}));
    std::vector<core::Stroke> strokes;
    for (const core::Stroke *stroke : lesson.ink(page).strokes()) {
        strokes.push_back(*stroke);
        if (darkOnWhite)
            strokes.back().color = core::PenPalette::onWhite(core::Color::fromRgba(stroke->color)).rgba();
    }
    layer.restore(std::move(strokes));
    const core::Rect area(0, 0, int(innerWidth * scale + 0.5), int(innerHeight * scale + 0.5));
    const std::size_t count = StraightRgba::convert(layer.image(), area, m_rgba);
    const core::Rect drawn = area & layer.image().rect();
    emscripten::val result = emscripten::val::object();
    result.set("width", drawn.width());
    result.set("height", drawn.height());
    result.set("pixels", emscripten::val(emscripten::typed_memory_view(
                             count * sizeof(std::uint32_t), reinterpret_cast<const std::uint8_t *>(m_rgba.data()))));
    return result;
}

emscripten::val WebPrint::cutOut(int half, int weightFactor)
{
    const core::CutOutCircle circle = core::CutOutCircle::compute(half);
    FlatDrawOps ops(core::CutOutCircle::kPictureWidthPx, core::CutOutCircle::kPictureHeightPx);
    circle.figure.paint(ops, core::LineWeight::fromFactor(weightFactor).value_or(core::LineWeight()));
    emscripten::val out = emscripten::val::object();
    out.set("calls", emscripten::val(emscripten::typed_memory_view(ops.numbers.size(), ops.numbers.data()))
                         .call<emscripten::val>("slice"));
    out.set("width", core::CutOutCircle::kPictureWidthPx);
    out.set("height", core::CutOutCircle::kPictureHeightPx);
    out.set("radius", int(circle.figure.R));
    out.set("pixelsPerMm", circle.pixelsPerMm());
    out.set("sectors", circle.figure.sectors);
    out.set("caption", circle.caption());
    emscripten::val centre = emscripten::val::array();
    centre.call<void>("push", circle.figure.centre.x());
    centre.call<void>("push", circle.figure.centre.y());
    out.set("centre", centre);
    out.set("numberPx", circle.numberPx);
    emscripten::val numbers = emscripten::val::array();
    for (const core::CutOutCircle::Number &n : circle.numbers)
        for (double v : {n.at.x(), n.at.y(), n.degrees, double(n.value), double(n.underlined)})
            numbers.call<void>("push", v);
    out.set("numbers", numbers);
    return out;
}
