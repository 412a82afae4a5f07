#pragma once

#include "Harness.h"

namespace Bench {

// A full repaint of each figure at 1920 × 1080 and 3840 × 2160, beside a widget
// of the same size that only fills.
void benchFigurePaints(const Config &config);

} // namespace Bench
