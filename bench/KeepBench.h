#pragma once

#include "Harness.h"

namespace Bench {

// Keeping the board: saving and restoring a page of ink, the pen while an
// autosave runs, and the command line's export from process start.
void benchKeep(const Config &config);

} // namespace Bench
