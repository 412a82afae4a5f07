#include "Twips.h"

namespace core {

Twips Twips::fromDpi(double dpiX, double dpiY)
{
    // A screen that reports no dpi is treated as a standard one.
    const auto perPixel = [](double dpi) { return dpi > 0 ? kTwipsPerInch / dpi : kTwipsPerInch / kStandardDpi; };
    return Twips(perPixel(dpiX), perPixel(dpiY));
}

} // namespace core
