#pragma once

#include "Command.h"

#include <QObject>

#include <functional>
#include <map>
#include <string>

class QAction;
class QKeySequence;
class QMenu;
class QWidget;

namespace core {
class Lesson;
}

// A QAction for every command of the core's table, so the menu, the keys and
// the toolbar share one state: labels, keys and checkable from the row;
// enabled, checked and the button's label read back from the lesson after
// each change. The core runs its own commands; the window supplies the
// handlers of the rest, and a command without one gets no action.
class CommandActions : public QObject
{
    Q_OBJECT
public:
    // What a front-end command does, and its state where it has one.
    struct Handler
    {
        std::function<void()> run;
        std::function<bool()> checked = {};
        std::function<bool()> enabled = {};
    };
    // `classroom` tells whether the screen is a classroom's (full screen):
    // the argument of every command the core runs.
    CommandActions(QWidget &window, core::Lesson &lesson, std::function<bool()> classroom);

    // Before the actions are made.
    void handle(const std::string &id, Handler handler);
    // Makes the actions; their keys then work anywhere in the window.
    void create();

    // None for a command the window does not offer.
    QAction *action(const std::string &id) const;
    bool offers(const core::Command &command) const { return action(command.id) != nullptr; }
    // The menu list made from the table, submenus included.
    void fill(QMenu *menu, core::Menu list) const;
    // Reads every action's state again.
    void refresh();

    // The table's portable key names as Qt's sequences.
    static QList<QKeySequence> keySequences(const std::string &key);

signals:
    void refreshed();

private:
    core::Lesson &m_lesson;
    QWidget &m_window;
    std::function<bool()> m_classroom;
    std::map<std::string, Handler> m_handlers;
    std::map<std::string, QAction *> m_actions;
};
