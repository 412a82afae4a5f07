#pragma once

#include "TextMeasure.h"

// The aids' lettering measured by Qt's font metrics, in the face the desktop draws it in.
class QtTextMeasure : public core::TextMeasure
{
public:
    Metrics metrics(int pixelSize) const override;
    double advance(std::string_view text, int pixelSize) const override;

    // One is enough for the whole program: it keeps nothing of its own.
    static const QtTextMeasure &instance();
};
