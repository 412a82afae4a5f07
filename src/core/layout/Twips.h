#pragma once

#include "IntMath.h"

namespace core {

// The window's unit conversions between twips (1/1440 inch) and pixels.
// Controls on the tab pages are placed in twips; everything else is in pixels.
class Twips
{
public:
    static constexpr double kTwipsPerInch = 1440.0;
    static constexpr double kStandardDpi = 96.0;

    // Factors taken from the screen's logical dots per inch.
    static Twips fromDpi(double dpiX, double dpiY);
    Twips() = default; // 15 twips per pixel on both axes, as at 96 dpi

    double perPixelX() const { return m_perPixelX; }
    double perPixelY() const { return m_perPixelY; }

    // ScaleX / ScaleY from twips to pixels, and back.
    float ScaleX(float twips) const { return float(twips / m_perPixelX); }
    float ScaleY(float twips) const { return float(twips / m_perPixelY); }
    float twipsX(float pixels) const { return float(pixels * m_perPixelX); }
    float twipsY(float pixels) const { return float(pixels * m_perPixelY); }

    // Where a control moved in twips actually lands, in whole pixels.
    Int32 pixelX(double twips) const { return round32(twips / m_perPixelX); }
    Int32 pixelY(double twips) const { return round32(twips / m_perPixelY); }

private:
    Twips(double perPixelX, double perPixelY) : m_perPixelX(perPixelX), m_perPixelY(perPixelY) {}
    double m_perPixelX = kTwipsPerInch / kStandardDpi;
    double m_perPixelY = kTwipsPerInch / kStandardDpi;
};

} // namespace core
