#include "FlatDrawOps.h"

FlatDrawOps::FlatDrawOps(float width, float height) : DrawOps(m_state), m_width(width), m_height(height) {}

void FlatDrawOps::clear(const core::Color &background)
{
    numbers.insert(numbers.end(), {double(Clear), double(background.rgba())});
}

void FlatDrawOps::draw(const core::LineCall &line)
{
    numbers.insert(numbers.end(), {double(Line), line.from.x(), line.from.y(), line.to.x(), line.to.y(),
                                   double(line.color.rgba()), double(line.width), double(line.style)});
}

void FlatDrawOps::draw(const core::CircleCall &circle)
{
    const core::ArcShape &shape = circle.shape;
    numbers.insert(numbers.end(),
                   {double(Circle), circle.centre.x(), circle.centre.y(), circle.radius, double(shape.whole),
                    shape.startDegrees, shape.sweepDegrees, double(shape.radiusAtStart), double(shape.radiusAtEnd),
                    double(circle.outline.rgba()), double(circle.width), double(circle.style),
                    circle.fill ? double(circle.fill->rgba()) : kNoFill});
}

void FlatDrawOps::draw(const core::TextCall &text)
{
    numbers.insert(numbers.end(), {double(Text), double(texts.size()), text.box.left(), text.box.top(),
                                   text.box.width(), text.box.height(), double(text.pixelSize),
                                   double(text.color.rgba()), double(text.outline.rgba()), text.outlineWidth});
    texts.push_back(text.text);
}

void FlatDrawOps::draw(const core::BoxCall &box)
{
    numbers.insert(numbers.end(), {double(Box), box.rect.left(), box.rect.top(), box.rect.width(), box.rect.height(),
                                   double(box.fill.rgba())});
}
