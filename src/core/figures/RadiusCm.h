#pragma once

#include "PageView.h"

namespace core {

// The circle's radius as the class takes it, in centimetres: the squared
// paper has this many squares to the radius and the readouts' areas are in cm².
constexpr int kRadiusCm = 10;
inline int radiusCm(const PageView &) { return kRadiusCm; }

} // namespace core
