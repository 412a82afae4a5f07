#pragma once

#include <QColor>
#include <QString>

#include <array>

// The pen colours on offer, in menu order: the design's white, red and blue,
// and chalk colours that read on the dark-green board.
class PenPalette
{
public:
    struct Pen
    {
        QColor colour;
        const char16_t *name;
        char mnemonic;
    };
    static constexpr int kPenCount = 6;

    static const std::array<Pen, kPenCount> &pens();
    static bool offers(const QColor &colour);
    // The pen's name, or the colour's hex code when it is not on offer.
    static QString nameOf(const QColor &colour);
    // Contrast of two colours by their relative luminance (WCAG 2): 1 to 21.
    static double contrastRatio(const QColor &a, const QColor &b);
    // A line's colour on white paper: kept where it reads there, else darkened,
    // its hue kept, just enough to reach the contrast of small text.
    static QColor onWhite(const QColor &colour);
    static constexpr double kLineOnPaperContrast = 4.5;
};
