#include "ClassroomToolbar.h"

#include "ClassroomLayout.h"
#include "CommandActions.h"
#include "CommandTable.h"
#include "Lesson.h"
#include "ToolButton.h"

ClassroomToolbar::ClassroomToolbar(CommandActions &actions, const core::Lesson &lesson, QWidget *parent)
    : QWidget(parent), m_lesson(lesson)
{
    setAccessibleName(QStringLiteral("ツールバー"));
    for (const core::Command *c : core::CommandTable::toolbar())
        if (QAction *action = actions.action(c->id))
            m_buttons.push_back(new ToolButton(action, *c, this));
    connect(&actions, &CommandActions::refreshed, this, &ClassroomToolbar::follow);
    hide();
}

void ClassroomToolbar::place(const core::ClassroomLayout &layout)
{
    setGeometry(layout.toolbar.x(), layout.toolbar.y(), layout.toolbar.width(), layout.toolbar.height());
    for (ToolButton *button : m_buttons) {
        const auto placed = std::find_if(layout.buttons.begin(), layout.buttons.end(),
                                         [button](const auto &b) { return b.command == &button->command(); });
        button->setVisible(placed != layout.buttons.end());
        if (placed == layout.buttons.end())
            continue;
        const core::Rect r = placed->rect.translated(core::Point(-layout.toolbar.x(), -layout.toolbar.y()));
        button->setGeometry(r.x(), r.y(), r.width(), r.height());
        button->setSizes(layout.iconPx, layout.labelPx, layout.iconBeside);
    }
    follow();
}

void ClassroomToolbar::follow()
{
    for (ToolButton *button : m_buttons)
        button->setIconName(core::CommandTable::state(m_lesson, button->command()).icon);
}
