#pragma once

#include "ControlGeometry.h"

#include <map>

// Controls as plain rectangles; takes sizes the way a widget does (never negative).
class GeometryModel : public ControlGeometry
{
public:
    void add(int id, const QRect &rect) { m_rects[id] = rect; }
    bool exists(int id) const override { return m_rects.count(id) != 0; }
    QRect rect(int id) const override { return m_rects.at(id); }
    void move(int id, const QRect &rect) override;

private:
    std::map<int, QRect> m_rects;
};
