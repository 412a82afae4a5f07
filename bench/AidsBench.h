#pragma once

#include "Harness.h"

namespace Bench {

// Each page's lesson aids, computed and painted over its figure in a 3840 × 2160
// image at the design's line weight and the heaviest, beside the figure alone
// and a bare fill of the image.
void benchAids(const Config &config);

} // namespace Bench
