#pragma once

#include "Rect.h"

namespace core {

// Pixel geometry of a group of controls addressed by small ids. The layout code
// moves controls and reads back what they actually took through this interface,
// so it runs the same against real widgets and against a model in tests.
class ControlGeometry
{
public:
    virtual ~ControlGeometry() = default;
    virtual bool exists(int id) const = 0;
    virtual Rect rect(int id) const = 0;
    virtual void move(int id, const Rect &rect) = 0;
};

} // namespace core
