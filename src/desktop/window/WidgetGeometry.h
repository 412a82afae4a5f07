#pragma once

#include "ControlGeometry.h"
#include "Convert.h"

#include <QWidget>

#include <map>

// Real widgets seen through the core's ControlGeometry; a missing id is a
// control the page lacks.
class WidgetGeometry : public core::ControlGeometry
{
public:
    void add(int id, QWidget *widget)
    {
        if (widget)
            m_widgets[id] = widget;
    }
    bool exists(int id) const override { return m_widgets.count(id) != 0; }
    core::Rect rect(int id) const override { return Convert::toCore(m_widgets.at(id)->geometry()); }
    void move(int id, const core::Rect &rect) override { m_widgets.at(id)->setGeometry(Convert::toQt(rect)); }

private:
    std::map<int, QWidget *> m_widgets;
};
