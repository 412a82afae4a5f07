#pragma once

#include "Command.h"

#include <QObject>

#include <utility>
#include <vector>

class QAction;
class QMenu;

namespace core {
class Lesson;
}

// The page menu's lists of pages to show and of practice figures, with the
// figure's second length, made from the command table's rows and marked
// from the lesson each time the menu opens.
class PagesMenu : public QObject
{
    Q_OBJECT
public:
    PagesMenu(QMenu &menu, core::Lesson &lesson);
    void mark();

private:
    void addList(QMenu &into, core::Menu list);

    core::Lesson &m_lesson;
    std::vector<std::pair<QAction *, const core::Command *>> m_items;
};
