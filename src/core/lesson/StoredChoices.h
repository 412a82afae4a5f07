#pragma once

#include "Color.h"
#include "LineWeight.h"
#include "RadiusCm.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace core {

// The classroom toolbar: as the screen suggests, or as the teacher chose.
enum class ToolbarChoice { Auto, Shown, Hidden };

// The choices kept between runs, the line weight, each page's pen, the lengths
// in cm with their radius, whether one pen serves every page, the squared
// paper, the squares around the circle, the quarter count, the formula from
// the diameter and which pages show, as text
// under names a front-end stores them by. What comes back from the store is
// untrusted: a value missing, malformed or not on offer gives the design's.
namespace StoredChoices {

struct Choices
{
    LineWeight weight;
    std::vector<Color> pens; // one a page
    bool realLengths = false;
    int radiusCm = RadiusCm::kDefault;
    bool sharedPen = false;
    bool grid = false;
    bool squares = false;
    bool quarterCount = false;
    bool diameterFormula = false;
    std::vector<bool> shown = {}; // one a page; none: as the table starts them
    ToolbarChoice toolbar = ToolbarChoice::Auto;
    bool hintSeen = false;
};

inline const std::string kWeightKey = "lineWeight";
inline const std::string kRealLengthsKey = "realLengths";
inline const std::string kRadiusCmKey = "radiusCm";
inline const std::string kSharedPenKey = "sharedPen";
inline const std::string kGridKey = "squaredPaper";
inline const std::string kSquaresKey = "boundingSquares";
inline const std::string kQuarterCountKey = "quarterCount";
inline const std::string kDiameterFormulaKey = "diameterFormula";
inline const std::string kToolbarKey = "toolbar";
inline const std::string kHintSeenKey = "hintSeen";
// A page's own choices are stored under its id; the first settings named
// pages by their place, and are still read where nothing newer was stored.
std::string penKey(int page);
std::string firstPenKey(int page);
std::string shownKey(int page);
// Pages named by stored names that this program does not have, a later one's:
// their choices are left as they are.
std::vector<std::string> unknownPages(const std::vector<std::string> &keys);

// The stored text under a name, if there is any.
using Lookup = std::function<std::optional<std::string>(const std::string &key)>;
Choices read(const Lookup &lookup, int pageCount);
// Names and values to store.
std::vector<std::pair<std::string, std::string>> write(const Choices &choices);

} // namespace StoredChoices

} // namespace core
