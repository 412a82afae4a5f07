#pragma once

#include <string>
#include <vector>

namespace core {

class Lesson;

// The lists a command can sit in: the page menu and its submenus.
enum class Menu { None, Page, Weight, Pens, Radius, Steps, Screen, Files, Pages, Practice, Second, Layouts, Class };

// What a command shows now, read from the lesson: whether the page in view
// has it, whether it can act, whether it is checked, its value (the pen's
// index, the weight's factor), and the label and icon a button carries now.
struct CommandState
{
    bool available = true;
    bool enabled = true;
    bool checkable = false;
    bool checked = false;
    int value = 0;
    std::string shortLabel;
    std::string icon;
};

// One thing the teacher can ask for, in every way it can be asked: the menu,
// keys, the toolbar, the help. Texts are UTF-8.
struct Command
{
    // Stable across versions: front-ends, tests and settings name commands by it.
    std::string id;
    // In the menu and the help, and a button's accessible name.
    std::string label;
    // The menu's access key, a Latin capital; 0 for none.
    char mnemonic = 0;
    // Under a toolbar button's icon.
    std::string shortLabel;
    // A name each front-end draws an icon for.
    std::string icon;
    // Portable key names joined by '+': Ctrl+Shift+Z, PageDown, F2, Ctrl++, Menu, 1.
    std::vector<std::string> keys;
    // The list it sits in, its section there (a separator between sections),
    // and the submenu it opens when it is one.
    Menu menu = Menu::None;
    int section = 0;
    Menu opens = Menu::None;
    // Its place on the toolbar, left to right or top to bottom; 0: not there.
    // Each hundred is a group of buttons kept together.
    int toolbar = 0;
    // Members of one family (the pens, the weights, the radii) share this and
    // take their own `argument`; the help shows a family as one line.
    std::string family;
    int argument = 0;
    // A sentence for the tooltip.
    std::string tip;
    // Whether a page has it; none: every page.
    bool (*has)(const Lesson &lesson, int page) = nullptr;
    // Its state beyond `available`; none: enabled, unchecked.
    CommandState (*state)(const Lesson &lesson, const Command &command, int argument) = nullptr;
    // What it does; none: only a front-end can do it (full screen, printing,
    // the help, the menu), and it supplies the handler by id.
    void (*run)(Lesson &lesson, const Command &command, int argument) = nullptr;
};

} // namespace core
