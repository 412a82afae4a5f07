#include "PenPalette.h"

#include <algorithm>
#include <cmath>

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

double luminance(const QColor &c)
{
    return kRedWeight * linear(c.redF()) + kGreenWeight * linear(c.greenF()) + kBlueWeight * linear(c.blueF());
}

} // namespace

const std::array<PenPalette::Pen, PenPalette::kPenCount> &PenPalette::pens()
{
    static const std::array<Pen, kPenCount> kPens{{
        {QColor(255, 255, 255), u"白", 'W'},
        {QColor(255, 255, 0), u"黄", 'Y'},
        {QColor(255, 0, 0), u"赤", 'R'},
        {QColor(0, 0, 255), u"青", 'B'},
        {QColor(255, 192, 224), u"桃", 'P'},
        {QColor(128, 224, 255), u"水色", 'C'},
    }};
    return kPens;
}

bool PenPalette::offers(const QColor &colour)
{
    return std::any_of(pens().begin(), pens().end(), [&colour](const Pen &p) { return p.colour == colour; });
}

QString PenPalette::nameOf(const QColor &colour)
{
    for (const Pen &p : pens())
        if (p.colour == colour)
            return QString::fromUtf16(p.name);
    return colour.name();
}

double PenPalette::contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + kFlare) / (std::min(la, lb) + kFlare);
}

QColor PenPalette::onWhite(const QColor &colour)
{
    const QColor white(Qt::white);
    if (contrastRatio(colour, white) >= kLineOnPaperContrast)
        return colour;
    // Rounded down, so a byte's rounding never takes back contrast.
    const auto scaled = [&colour](double keep) {
        return QColor(int(colour.red() * keep), int(colour.green() * keep), int(colour.blue() * keep));
    };
    // The largest share of the colour that still reads: black always does.
    double reads = 0, fails = 1;
    for (int i = 0; i < kDarkenSearchSteps; ++i) {
        const double mid = (reads + fails) / 2;
        (contrastRatio(scaled(mid), white) >= kLineOnPaperContrast ? reads : fails) = mid;
    }
    return scaled(reads);
}
