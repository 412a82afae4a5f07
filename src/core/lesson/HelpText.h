#pragma once

#include <string>
#include <vector>

namespace core {

// The one-screen help that F1 shows over the board, in the words of the
// classroom: what to do and the keys that do it; and the controls' tooltips.
// Both front-ends show these same words, so they cannot drift apart.
namespace HelpText {

struct Line
{
    std::string what; // UTF-8
    std::string how;
};

std::string title();
std::vector<Line> lines();
// The last line: how the help goes away.
std::string closing();

// What the window's controls say when the pointer rests on them.
std::string swatchTip();
std::string clearTip();
std::string startTip();
// Shown once, at the first start.
std::string firstStartHint();

} // namespace HelpText

} // namespace core
