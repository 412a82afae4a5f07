#include "ArcAids.h"

#include "AidLayout.h"
#include "AidWords.h"
#include "ArcFigure.h"
#include "LessonAids.h"
#include "PageView.h"
#include "Text.h"

#include <numeric>

namespace core {

namespace ArcAids {

namespace {

constexpr int kPercentDecimals = 1;
constexpr double kPercent = 100;

std::string fraction(int degrees)
{
    const int common = std::gcd(degrees, ArcFigure::kMaxDegrees);
    const int numerator = degrees / common;
    const int denominator = ArcFigure::kMaxDegrees / common;
    return denominator == 1 ? Text::number(numerator) : Text::number(numerator) + "/" + Text::number(denominator);
}

// One decimal, none where it would be a zero, 約 where rounded: 25 %, 約 33.3 %.
std::string percentage(int degrees)
{
    const std::string wholeTail = ".0";
    std::string text = AidWords::rounded(kPercent * degrees / ArcFigure::kMaxDegrees, kPercentDecimals);
    if (Text::endsWith(text, wholeTail))
        text.resize(text.size() - wholeTail.size());
    return text;
}

} // namespace

std::vector<std::string> readouts(int degrees)
{
    return {"おうぎ形の中心角 " + Text::number(degrees) + "°",
            "円の " + fraction(degrees) + " ＝ " + percentage(degrees) + " %"};
}

void add(LessonAids &aids, AidLayout &layout, const PageView &view)
{
    const int degrees = view.value;
    const ArcFigure f = ArcFigure::compute(float(view.inner.width()), float(view.inner.height()), degrees);
    layout.avoidDisc(f.centre, f.radius + view.weight.px(ArcFigure::kOutlineWidthPx));
    for (const TextCall &t : layout.place(readouts(degrees), {layout.inside(AidLayout::Top | AidLayout::Left),
                                                  layout.inside(AidLayout::Bottom | AidLayout::Left),
                                                  layout.inside(AidLayout::Top | AidLayout::Right)}))
        aids.texts.push_back(t);
}

} // namespace ArcAids

} // namespace core
