#pragma once

#include "Harness.h"

namespace Bench {

// The page menu, from the call that opens it to its first frame on screen.
void benchMenu(const Config &config);

} // namespace Bench
