#include "StoredChoices.h"

#include "PageTable.h"
#include "PenPalette.h"
#include "Text.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace core::StoredChoices {

namespace {

// A stored number is a few digits, perhaps with spaces around them.
constexpr std::size_t kLongestNumber = 9;
// A switch is stored as QSettings writes a bool; anything else leaves it off.
const std::string kOn = "true";
const std::string kOff = "false";

std::optional<int> wholeNumber(std::string text)
{
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    if (first == std::string::npos || last - first + 1 > kLongestNumber)
        return std::nullopt;
    text = text.substr(first, last - first + 1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

bool flag(const Lookup &lookup, const std::string &key)
{
    const std::optional<std::string> stored = lookup(key);
    return stored && *stored == kOn;
}

const std::string &flagText(bool on) { return on ? kOn : kOff; }

// Stored by name, so the text says what it is.
constexpr const char *kToolbarNames[] = {"auto", "shown", "hidden"};

} // namespace

const std::string kPagePrefix = "page-";
const std::string kPenName = "/penColour";
const std::string kShownName = "/shown";

std::string penKey(int page) { return kPagePrefix + PageTable::row(page).id + kPenName; }
std::string shownKey(int page) { return kPagePrefix + PageTable::row(page).id + kShownName; }

// Where the first settings kept a pen: under the page's place among the first pages.
std::string firstPenKey(int page)
{
    const std::span<const char *const> first = PageTable::firstIds();
    for (std::size_t place = 0; place < first.size(); ++place)
        if (std::string_view(first[place]) == PageTable::row(page).id)
            return "page" + Text::number(int(place)) + kPenName;
    return {};
}

std::vector<std::string> unknownPages(const std::vector<std::string> &keys)
{
    std::vector<std::string> unknown;
    for (const std::string &key : keys) {
        if (key.rfind(kPagePrefix, 0) != 0)
            continue;
        const std::size_t slash = key.find('/');
        const std::string id = key.substr(kPagePrefix.size(), slash == std::string::npos ? std::string::npos
                                                                                         : slash - kPagePrefix.size());
        if (!PageTable::find(id) && std::find(unknown.begin(), unknown.end(), id) == unknown.end())
            unknown.push_back(id);
    }
    return unknown;
}

Choices read(const Lookup &lookup, int pageCount)
{
    Choices choices{LineWeight(), std::vector<Color>(std::size_t(std::max(0, pageCount)), PenPalette::pens().front().colour), false, RadiusCm::kDefault, false, false, false, {}};
    if (const std::optional<std::string> weight = lookup(kWeightKey))
        if (const std::optional<int> factor = wholeNumber(*weight))
            choices.weight = LineWeight::fromFactor(*factor).value_or(LineWeight());
    choices.realLengths = flag(lookup, kRealLengthsKey);
    if (const std::optional<std::string> radius = lookup(kRadiusCmKey))
        if (const std::optional<int> cm = wholeNumber(*radius); cm && RadiusCm::offers(*cm))
            choices.radiusCm = *cm;
    choices.sharedPen = flag(lookup, kSharedPenKey);
    for (int page = 0; page < pageCount; ++page) {
        std::optional<std::string> stored = lookup(penKey(page));
        if (const std::string first = firstPenKey(page); !stored && !first.empty())
            stored = lookup(first);
        const std::optional<Color> pen = stored ? Color::fromName(*stored) : std::nullopt;
        if (pen && PenPalette::offers(*pen))
            choices.pens[std::size_t(page)] = *pen;
    }
    choices.grid = flag(lookup, kGridKey);
    choices.squares = flag(lookup, kSquaresKey);
    choices.quarterCount = flag(lookup, kQuarterCountKey);
    choices.diameterFormula = flag(lookup, kDiameterFormulaKey);
    for (int page = 0; page < pageCount; ++page) {
        const std::optional<std::string> stored = lookup(shownKey(page));
        const bool atFirst = PageTable::row(page).shownAtFirst;
        choices.shown.push_back(stored && (*stored == kOn || *stored == kOff) ? *stored == kOn : atFirst);
    }
    if (const std::optional<std::string> toolbar = lookup(kToolbarKey))
        for (int i = 0; i < int(std::size(kToolbarNames)); ++i)
            if (*toolbar == kToolbarNames[i])
                choices.toolbar = ToolbarChoice(i);
    choices.hintSeen = flag(lookup, kHintSeenKey);
    return choices;
}

std::vector<std::pair<std::string, std::string>> write(const Choices &choices)
{
    std::vector<std::pair<std::string, std::string>> out{{kWeightKey, Text::number(choices.weight.factor())},
                                                         {kSharedPenKey, flagText(choices.sharedPen)}};
    for (std::size_t page = 0; page < choices.pens.size(); ++page)
        out.emplace_back(penKey(int(page)), choices.pens[page].name());
    out.emplace_back(kRealLengthsKey, flagText(choices.realLengths));
    out.emplace_back(kRadiusCmKey, Text::number(choices.radiusCm));
    out.emplace_back(kGridKey, flagText(choices.grid));
    out.emplace_back(kSquaresKey, flagText(choices.squares));
    out.emplace_back(kQuarterCountKey, flagText(choices.quarterCount));
    out.emplace_back(kDiameterFormulaKey, flagText(choices.diameterFormula));
    for (std::size_t page = 0; page < choices.shown.size(); ++page)
        out.emplace_back(shownKey(int(page)), flagText(choices.shown[page]));
    out.emplace_back(kToolbarKey, kToolbarNames[int(choices.toolbar)]);
    out.emplace_back(kHintSeenKey, flagText(choices.hintSeen));
    return out;
}

} // namespace core::StoredChoices
