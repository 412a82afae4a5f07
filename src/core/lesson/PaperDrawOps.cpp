#include "PaperDrawOps.h"

#include "PenPalette.h"

#include <algorithm>
#include <cmath>

namespace core {

PaperDrawOps::PaperDrawOps(DrawOps &surface) : DrawOps(m_state), m_surface(surface) {}

Color PaperDrawOps::tint(const Color &fill)
{
    const int channelMax = int(Color::kChannelMax);
    const int darkest = std::min({fill.red(), fill.green(), fill.blue()});
    const double mostInk = kFillInkShare * channelMax;
    if (channelMax - darkest <= mostInk)
        return fill;
    const double keep = mostInk / (channelMax - darkest);
    // Rounded up, toward white, so no channel lays more than its share.
    const auto thinned = [&](int channel) { return channelMax - int(std::floor((channelMax - channel) * keep)); };
    return {thinned(fill.red()), thinned(fill.green()), thinned(fill.blue()), fill.alpha()};
}

void PaperDrawOps::draw(const LineCall &line)
{
    LineCall onPaper = line;
    onPaper.color = PenPalette::onWhite(line.color);
    m_surface.draw(onPaper);
}

void PaperDrawOps::draw(const CircleCall &circle)
{
    CircleCall onPaper = circle;
    onPaper.outline = PenPalette::onWhite(circle.outline);
    if (circle.fill)
        onPaper.fill = tint(*circle.fill);
    m_surface.draw(onPaper);
}

void PaperDrawOps::draw(const TextCall &text) { m_surface.draw(text.onWhitePaper()); }

void PaperDrawOps::draw(const BoxCall &box)
{
    BoxCall onPaper = box;
    onPaper.fill = box.line ? PenPalette::onWhite(box.fill) : tint(box.fill);
    m_surface.draw(onPaper);
}

void PaperDrawOps::clear(const Color &) { m_surface.clear(kPaper); }

} // namespace core
