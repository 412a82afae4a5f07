#pragma once

#include "Harness.h"

namespace Bench {

// One pointer-move segment with more and more ink on the page, and the ink
// layer's rebuild after a resize.
void benchInk(const Config &config);

} // namespace Bench
