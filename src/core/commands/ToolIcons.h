#pragma once

#include "Color.h"

#include <string_view>

namespace core {

class DrawOps;

// The commands' icons, drawn through DrawOps so both front-ends show the same
// pictures: simple shapes on a grid of 24 units over the drawing area. The
// pen's icon is a disc of that pen's colour.
namespace ToolIcons {

inline const Color kInk{32, 32, 32};

// Whether there is an icon of that name; an unknown one draws nothing.
bool has(std::string_view icon);
void paint(DrawOps &ops, std::string_view icon, const Color &ink = kInk, const Color &pen = kInk);

} // namespace ToolIcons

} // namespace core
