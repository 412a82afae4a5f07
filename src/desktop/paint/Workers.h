#pragma once

// Lends the core the desktop's threads: a whole page of ink is drawn again in
// bands, one a core.
namespace Workers {

void install();

} // namespace Workers
