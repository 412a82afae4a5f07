#pragma once

#include <QRect>

// Pixel geometry of a group of controls addressed by small ids. The layout code
// moves controls and reads back what they actually took through this interface,
// so it runs the same against real widgets and against a model in tests.
class ControlGeometry
{
public:
    virtual ~ControlGeometry() = default;
    virtual bool exists(int id) const = 0;
    virtual QRect rect(int id) const = 0;
    virtual void move(int id, const QRect &rect) = 0;
};
