#include "PenPalette.h"

#include <algorithm>
#include <cmath>

namespace core {

namespace {

// sRGB to linear light, and the weights of the three primaries in luminance.
constexpr double kLinearBelow = 0.03928;
constexpr double kLinearSlope = 12.92;
constexpr double kGammaOffset = 0.055;
constexpr double kGamma = 2.4;
constexpr double kRedWeight = 0.2126, kGreenWeight = 0.7152, kBlueWeight = 0.0722;
// Flare added to both luminances, so black on black is 1 and not 0/0.
constexpr double kFlare = 0.05;
// Halvings of the darkening factor: finer than one step of an 8-bit channel.
constexpr int kDarkenSearchSteps = 12;

double linear(double channel)
{
    return channel <= kLinearBelow ? channel / kLinearSlope
                                   : std::pow((channel + kGammaOffset) / (1 + kGammaOffset), kGamma);
}

double luminance(const Color &c)
{
    return kRedWeight * linear(c.redF()) + kGreenWeight * linear(c.greenF()) + kBlueWeight * linear(c.blueF());
}

} // namespace

const std::array<PenPalette::Pen, PenPalette::kPenCount> &PenPalette::pens()
{
    static const std::array<Pen, kPenCount> kPens{{
        {Color(255, 255, 255), "白", 'W'},
        {Color(255, 255, 0), "黄色", 'Y'},
        {Color(255, 0, 0), "赤", 'R'},
        {Color(0, 0, 255), "青", 'B'},
        {Color(255, 192, 224), "桃色", 'P'},
        {Color(128, 224, 255), "水色", 'C'},
    }};
    return kPens;
}

bool PenPalette::offers(const Color &colour)
{
    return std::any_of(pens().begin(), pens().end(), [&colour](const Pen &p) { return p.colour == colour; });
}

std::string PenPalette::nameOf(const Color &colour)
{
    for (const Pen &p : pens())
        if (p.colour == colour)
            return p.name;
    return colour.name();
}

double PenPalette::contrastRatio(const Color &a, const Color &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + kFlare) / (std::min(la, lb) + kFlare);
}

Color PenPalette::markOn(const Color &colour)
{
    const Color black(0, 0, 0), white(255, 255, 255);
    return contrastRatio(colour, black) > contrastRatio(colour, white) ? black : white;
}

Color PenPalette::edgeFor(const Color &colour)
{
    const Color white(255, 255, 255);
    return contrastRatio(colour, white) >= kPenReadsOnWhiteContrast ? white : kDarkEdge;
}

Color PenPalette::onWhite(const Color &colour)
{
    const Color white(255, 255, 255);
    if (contrastRatio(colour, white) >= kLineOnPaperContrast)
        return colour;
    // Rounded down, so a byte's rounding never takes back contrast.
    const auto scaled = [&colour](double keep) {
        return Color(int(colour.red() * keep), int(colour.green() * keep), int(colour.blue() * keep));
    };
    // The largest share of the colour that still reads: black always does.
    double reads = 0, fails = 1;
    for (int i = 0; i < kDarkenSearchSteps; ++i) {
        const double mid = (reads + fails) / 2;
        (contrastRatio(scaled(mid), white) >= kLineOnPaperContrast ? reads : fails) = mid;
    }
    return scaled(reads);
}

} // namespace core
