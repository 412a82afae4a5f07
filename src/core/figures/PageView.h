#pragma once

#include "LineWeight.h"
#include "RadiusCm.h"
#include "SectorArrangement.h"
#include "SectorLayout.h"
#include "Size.h"

#include <optional>

namespace core {

// What one page shows: which page, its picture's inner size in pixels, the value
// of its scroll bar (sides, degrees or V), the sectors moved (page 2 only), the
// line weight, whether the lesson aids show and how many lines of the formula,
// whether the aids give lengths in cm for a circle of that real radius,
// whether squared paper and the two squares around the circle show, how far
// the paper's squares are counted and over how much of the circle, and
// whether the formula is built from the diameter; on the sectors page, how
// they are laid out, or where a pupil's hands put them; on a page that offers
// figures to choose from, the one chosen and its second length.
struct PageView
{
    int page = 0;
    Size inner;
    int value = 0;
    int step = 0;
    LineWeight weight;
    bool aids = false;
    int formulaLines = 0;
    bool realLengths = false;
    int radiusCm = RadiusCm::kDefault;
    bool grid = false;
    bool squares = false;
    enum PaperStep : int { PaperAlone, InsideTinted, CrossedTinted, Counted, Estimated };
    int paperStep = Estimated;
    bool quarterCount = false;
    bool diameterFormula = false;
    SectorLayout layout = SectorLayout::Parallelogram;
    std::optional<SectorArrangement> hand = std::nullopt;
    int choice = 0;
    int second = 0;

    bool operator==(const PageView &) const = default;
};

} // namespace core
