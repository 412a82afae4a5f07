#pragma once

#include <QWidget>

#include <vector>

class CommandActions;
class ToolButton;

namespace core {
struct ClassroomLayout;
class Lesson;
} // namespace core

// The classroom toolbar: a big button for every toolbar command of the table
// the window offers, placed where the classroom layout puts them, never over
// the figure. Buttons of commands the page in view lacks are hidden.
class ClassroomToolbar : public QWidget
{
    Q_OBJECT
public:
    ClassroomToolbar(CommandActions &actions, const core::Lesson &lesson, QWidget *parent);

    void place(const core::ClassroomLayout &layout);
    const std::vector<ToolButton *> &buttons() const { return m_buttons; }

private:
    void follow();

    const core::Lesson &m_lesson;
    std::vector<ToolButton *> m_buttons;
};
