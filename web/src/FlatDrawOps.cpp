#include "FlatDrawOps.h"

#include <cassert>

FlatDrawOps::FlatDrawOps(float width, float height) : DrawOps(m_state), m_width(width), m_height(height) {}

void FlatDrawOps::put(Op op, std::initializer_list<double> values)
{
    assert(int(values.size()) + 1 == kLength[op]);
    numbers.push_back(double(op));
    numbers.insert(numbers.end(), values);
}

void FlatDrawOps::clear(const core::Color &background) { put(Clear, {double(background.rgba())}); }

void FlatDrawOps::draw(const core::LineCall &line)
{
    put(Line, {line.from.x(), line.from.y(), line.to.x(), line.to.y(), double(line.color.rgba()), double(line.width),
               double(line.style)});
}

void FlatDrawOps::draw(const core::CircleCall &circle)
{
    const core::ArcShape &shape = circle.shape;
    put(Circle, {circle.centre.x(), circle.centre.y(), circle.radius, double(shape.whole), shape.startDegrees,
                 shape.sweepDegrees, double(shape.radiusAtStart), double(shape.radiusAtEnd),
                 double(circle.outline.rgba()), double(circle.width), double(circle.style),
                 circle.fill ? double(circle.fill->rgba()) : kNoFill});
}

void FlatDrawOps::draw(const core::TextCall &text)
{
    put(Text, {double(texts.size()), text.box.left(), text.box.top(), text.box.width(), text.box.height(),
               double(text.pixelSize), double(text.color.rgba()), double(text.outline.rgba()), text.outlineWidth});
    texts.push_back(text.text);
}

void FlatDrawOps::draw(const core::BoxCall &box)
{
    put(Box, {box.rect.left(), box.rect.top(), box.rect.width(), box.rect.height(), double(box.fill.rgba())});
}
