#pragma once

#include <string>

namespace core {

// The help's own words (its lines are the command table's, CommandHelp), the
// controls' tooltips and the first start's hint. Both front-ends show these
// same words, so they cannot drift apart.
namespace HelpText {

std::string title();
// The last line: how the help goes away.
std::string closing();

// What the window's controls say when the pointer rests on them.
std::string swatchTip();
std::string clearTip();
std::string startTip();
// The button of a page that shows its working a step at a time.
std::string nextTip();
// Shown once, at the first start.
std::string firstStartHint();

} // namespace HelpText

} // namespace core
