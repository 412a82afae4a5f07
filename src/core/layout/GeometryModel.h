#pragma once

#include "ControlGeometry.h"

#include <map>

namespace core {

// Controls as plain rectangles; takes sizes the way a widget does (never negative).
class GeometryModel : public ControlGeometry
{
public:
    void add(int id, const Rect &rect) { m_rects[id] = rect; }
    bool exists(int id) const override { return m_rects.count(id) != 0; }
    Rect rect(int id) const override { return m_rects.at(id); }
    void move(int id, const Rect &rect) override;

private:
    std::map<int, Rect> m_rects;
};

} // namespace core
