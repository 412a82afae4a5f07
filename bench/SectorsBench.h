#pragma once

#include "Harness.h"

namespace Bench {

// The sectors page at 3840 × 2160, line weight ×3, 64 pieces: each step of
// every layout and each frame of a sector dragged by hand, as the window
// shows them, beside the whole page drawn anew.
void benchSectors(const Config &config);

} // namespace Bench
