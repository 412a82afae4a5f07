#pragma once

#include "TextMeasure.h"

#include <emscripten/val.h>

#include <map>
#include <string>
#include <utility>

// Measures the aids' lettering with the page's canvas, in the face the canvas
// draws them in, so the aids lay out for what the browser shows. The canvas
// answers through a JavaScript object with `metrics(px)` → [ascent, height,
// lineSpacing] and `advance(text, px)`; answers are kept, as the layout asks
// the same lines again at every size it tries.
class CanvasTextMeasure : public core::TextMeasure
{
public:
    explicit CanvasTextMeasure(emscripten::val canvas) : m_canvas(std::move(canvas)) {}

    Metrics metrics(int pixelSize) const override;
    double advance(std::string_view text, int pixelSize) const override;
    // The face changed (the font finished loading): forget every answer.
    void forget();

private:
    emscripten::val m_canvas;
    mutable std::map<int, Metrics> m_metrics;
    mutable std::map<std::pair<std::string, int>, double, std::less<>> m_advances;
};
