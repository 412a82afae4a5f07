#pragma once

#include "Command.h"

#include <string_view>
#include <vector>

namespace core {

// Every command of the lesson, once: the desktop's menu, keys, toolbar and
// help, and the browser's, are made from these rows.
//
// A new command is one row in CommandTable.cpp's rows(): an id no other row
// has, its labels and keys, where it sits (menu, section, toolbar place),
// `has` for the pages that have it, `state` when it can be off or checked,
// and `run` when the core can do it. A command only a front-end can do
// leaves `run` empty; each front-end then supplies its handler by id, and a
// front-end without one leaves the command out. Rows appear in a menu in
// table order, and on the toolbar in the order of their `toolbar` places.
namespace CommandTable {

const std::vector<Command> &rows();
// None for an id no row has.
const Command *find(std::string_view id);
// The rows of one menu list, in order.
std::vector<const Command *> menu(Menu list);
// The rows on the toolbar, in order.
std::vector<const Command *> toolbar();

// As the page in view has it; `argument` as for run().
CommandState state(const Lesson &lesson, const Command &command, int argument = 0);
// Runs a command the core can do, when the page in view has it and it is
// enabled; says whether it ran. A family's member takes its own argument.
bool run(Lesson &lesson, std::string_view id, int argument = 0);

} // namespace CommandTable

} // namespace core
