#include "MissingQtStrings.h"

#include <QLatin1StringView>

#include <array>
#include <utility>

QString MissingQtStrings::translate(const char *context, const char *sourceText, const char *, int) const
{
    static const std::array<std::pair<const char *, const char *>, 5> kPrintOptions{{
        {"Pages", "ページ指定"},
        {"Double Sided Printing", "両面印刷"},
        {"Off", "しない"},
        {"Long side binding", "長辺とじ"},
        {"Short side binding", "短辺とじ"},
    }};
    if (!context || !sourceText || QLatin1StringView(context) != QLatin1StringView("QPrintSettingsOutput"))
        return {};
    for (const auto &[english, japanese] : kPrintOptions)
        if (QLatin1StringView(sourceText) == QLatin1StringView(english))
            return QString::fromUtf8(japanese);
    return {};
}
