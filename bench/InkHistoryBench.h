#pragma once

#include "Harness.h"

namespace Bench {

// Ink operations on a full page, each timed to the next complete frame: undo,
// redo, clear, erasing, a resize, Ctrl+Z held down, a pointer move; and the
// memory each stored point costs.
void benchInkHistory(const Config &config);

} // namespace Bench
