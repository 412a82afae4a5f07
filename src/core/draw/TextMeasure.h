#pragma once

#include <string_view>

namespace core {

// How a front-end's lettering measures a line of text: the lesson aids place
// their words with it, so each front-end lays them out for the face it draws.
class TextMeasure
{
public:
    struct Metrics
    {
        double ascent = 0;
        double height = 0;
        double lineSpacing = 0;
    };

    virtual ~TextMeasure() = default;
    virtual Metrics metrics(int pixelSize) const = 0;
    // The advance of a line of UTF-8 text.
    virtual double advance(std::string_view text, int pixelSize) const = 0;
};

} // namespace core
