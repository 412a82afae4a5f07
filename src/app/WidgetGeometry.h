#pragma once

#include "ControlGeometry.h"

#include <QWidget>

#include <map>

// Real widgets seen through ControlGeometry; a missing id is a control the page lacks.
class WidgetGeometry : public ControlGeometry
{
public:
    void add(int id, QWidget *widget)
    {
        if (widget)
            m_widgets[id] = widget;
    }
    bool exists(int id) const override { return m_widgets.count(id) != 0; }
    QRect rect(int id) const override { return m_widgets.at(id)->geometry(); }
    void move(int id, const QRect &rect) override { m_widgets.at(id)->setGeometry(rect); }

private:
    std::map<int, QWidget *> m_widgets;
};
