#include "CanvasTextMeasure.h"

namespace {
// Layouts that ask for more distinct lines than this are not the aids'.
constexpr std::size_t kMostKeptAdvances = 4096;
} // namespace

core::TextMeasure::Metrics CanvasTextMeasure::metrics(int pixelSize) const
{
    if (const auto found = m_metrics.find(pixelSize); found != m_metrics.end())
        return found->second;
    const emscripten::val answer = m_canvas.call<emscripten::val>("metrics", pixelSize);
    const Metrics m{answer[0].as<double>(), answer[1].as<double>(), answer[2].as<double>()};
    m_metrics.emplace(pixelSize, m);
    return m;
}

double CanvasTextMeasure::advance(std::string_view text, int pixelSize) const
{
    std::pair<std::string, int> key(text, pixelSize);
    if (const auto found = m_advances.find(key); found != m_advances.end())
        return found->second;
    const double width = m_canvas.call<double>("advance", key.first, pixelSize);
    if (m_advances.size() >= kMostKeptAdvances)
        m_advances.clear();
    m_advances.emplace(std::move(key), width);
    return width;
}

void CanvasTextMeasure::forget()
{
    m_metrics.clear();
    m_advances.clear();
}
