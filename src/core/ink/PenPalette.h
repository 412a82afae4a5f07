#pragma once

#include "Color.h"

#include <array>
#include <string>

namespace core {

// The pen colours on offer, in menu order: the design's white, red and blue,
// and chalk colours that read on the dark-green board.
class PenPalette
{
public:
    struct Pen
    {
        Color colour;
        const char *name; // UTF-8
        char mnemonic;
    };
    static constexpr int kPenCount = 6;

    static const std::array<Pen, kPenCount> &pens();
    static bool offers(const Color &colour);
    // The pen's name, or the colour's hex code when it is not on offer.
    static std::string nameOf(const Color &colour);
    // Contrast of two colours by their relative luminance (WCAG 2): 1 to 21.
    static double contrastRatio(const Color &a, const Color &b);
    // Black or white, whichever reads better on the colour: a mark on a swatch.
    static Color markOn(const Color &colour);
    // A line's colour on white paper: kept where it reads there, else darkened,
    // its hue kept, just enough to reach the contrast of small text.
    static Color onWhite(const Color &colour);
    static constexpr double kLineOnPaperContrast = 4.5;
    // The rim that sets a heavy stroke off whatever lies under it: white round
    // a pen dark enough to read on white, which a dark rim would join on the
    // blue disc and the board; a dark one round the light pens.
    static Color edgeFor(const Color &colour);
    static inline const Color kDarkEdge{0, 32, 0};
    static constexpr double kPenReadsOnWhiteContrast = 3;
};

} // namespace core
