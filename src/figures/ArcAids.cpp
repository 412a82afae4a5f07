#include "ArcAids.h"

#include "AidLayout.h"
#include "ArcFigure.h"
#include "LessonAids.h"

#include <numeric>

namespace ArcAids {

namespace {

constexpr int kPercentDecimals = 1;
constexpr double kPercent = 100;

QString fraction(int degrees)
{
    const int common = std::gcd(degrees, ArcFigure::kMaxDegrees);
    const int numerator = degrees / common;
    const int denominator = ArcFigure::kMaxDegrees / common;
    return denominator == 1 ? QString::number(numerator) : QStringLiteral("%1/%2").arg(numerator).arg(denominator);
}

// One decimal, none where it would be a zero: 25 %, 33.3 %.
QString percentage(int degrees)
{
    QString text = QString::number(kPercent * degrees / ArcFigure::kMaxDegrees, 'f', kPercentDecimals);
    if (text.endsWith(QStringLiteral(".0")))
        text.chop(2);
    return text;
}

} // namespace

void add(LessonAids &aids, AidLayout &layout, float scaleWidth, float scaleHeight, int degrees, LineWeight weight)
{
    const ArcFigure f = ArcFigure::compute(scaleWidth, scaleHeight, degrees);
    layout.avoidDisc(f.centre, f.radius + weight.px(ArcFigure::kOutlineWidthPx));
    const QStringList lines = {QStringLiteral("中心角 %1°").arg(degrees),
                               QStringLiteral("円の %1 = %2 %").arg(fraction(degrees), percentage(degrees))};
    for (const TextCall &t : layout.place(lines, {layout.inside(Qt::AlignTop | Qt::AlignLeft),
                                                  layout.inside(Qt::AlignBottom | Qt::AlignLeft),
                                                  layout.inside(Qt::AlignTop | Qt::AlignRight)}))
        aids.texts.push_back(t);
}

} // namespace ArcAids
