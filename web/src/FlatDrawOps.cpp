#include "FlatDrawOps.h"

#include "PenPalette.h"

#include <cassert>

namespace {
const core::Color kPaper{255, 255, 255};
} // namespace

FlatDrawOps::FlatDrawOps(float width, float height, bool darkOnWhite)
    : DrawOps(m_state), m_width(width), m_height(height), m_darkOnWhite(darkOnWhite)
{
}

void FlatDrawOps::put(Op op, std::initializer_list<double> values)
{
    assert(int(values.size()) + 1 == kLength[op]);
    numbers.push_back(double(op));
    numbers.insert(numbers.end(), values);
}

double FlatDrawOps::lineColour(const core::Color &colour) const
{
    return (m_darkOnWhite ? core::PenPalette::onWhite(colour) : colour).rgba();
}

void FlatDrawOps::clear(const core::Color &background)
{
    put(Clear, {double((m_darkOnWhite ? kPaper : background).rgba())});
}

void FlatDrawOps::draw(const core::LineCall &line)
{
    put(Line, {line.from.x(), line.from.y(), line.to.x(), line.to.y(),
                                   lineColour(line.color), double(line.width), double(line.style)});
}

void FlatDrawOps::draw(const core::CircleCall &circle)
{
    const core::ArcShape &shape = circle.shape;
    put(Circle, {circle.centre.x(), circle.centre.y(), circle.radius, double(shape.whole),
                    shape.startDegrees, shape.sweepDegrees, double(shape.radiusAtStart), double(shape.radiusAtEnd),
                    lineColour(circle.outline), double(circle.width), double(circle.style),
                    circle.fill ? double(circle.fill->rgba()) : kNoFill});
}

void FlatDrawOps::draw(const core::TextCall &drawn)
{
    const core::TextCall text = m_darkOnWhite ? drawn.onWhitePaper() : drawn;
    put(Text, {double(texts.size()), text.box.left(), text.box.top(),
                                   text.box.width(), text.box.height(), double(text.pixelSize),
                                   double(text.color.rgba()), double(text.outline.rgba()), text.outlineWidth});
    texts.push_back(text.text);
}

void FlatDrawOps::draw(const core::BoxCall &box)
{
    put(Box, {box.rect.left(), box.rect.top(), box.rect.width(), box.rect.height(),
                                   double(box.fill.rgba())});
}
