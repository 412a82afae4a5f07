#include "QtTextMeasure.h"

#include "AidFont.h"

#include <QFontMetricsF>
#include <QString>

core::TextMeasure::Metrics QtTextMeasure::metrics(int pixelSize) const
{
    const QFontMetricsF m(AidFont::font(pixelSize));
    return {m.ascent(), m.height(), m.lineSpacing()};
}

double QtTextMeasure::advance(std::string_view text, int pixelSize) const
{
    return QFontMetricsF(AidFont::font(pixelSize))
        .horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

const QtTextMeasure &QtTextMeasure::instance()
{
    static const QtTextMeasure measure;
    return measure;
}
