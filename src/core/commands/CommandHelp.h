#pragma once

#include "ClassroomLayout.h"

#include <string>
#include <vector>

namespace core {

// The help's lines, made from the command table: each command with its icon,
// its label and its keys, under the pages that have it; a family (the pens,
// the weights, the radii) as one line. First, how to write and how to open
// the menu without a key.
namespace CommandHelp {

struct Line
{
    std::string icon;
    std::string label; // UTF-8
    std::string keys;  // as a person reads them, or how to do it
};

struct Section
{
    std::string title;
    std::vector<Line> lines;
};

std::vector<Section> sections(const Lesson &lesson, const ClassroomLayout::Offers &offers);
// A key of the table as the help and the menu write it: Page Down, Esc.
std::string keyText(const std::string &key);

} // namespace CommandHelp

} // namespace core
