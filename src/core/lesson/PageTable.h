#pragma once

#include "Similarity.h"

#include <optional>
#include <vector>

namespace core {

class AidLayout;
class DrawOps;
struct LessonAids;
struct PageView;

// The range of a page's scroll bar, where it starts, and how many units its
// value label shows for each step (the sectors page counts 2 sectors a step).
struct ValueRange
{
    int min = 0;
    int max = 0;
    int start = 0;
    int shownPerValue = 1;
};

// One page of the lesson: everything that differs from page to page. Adding a
// page is a row here and its figure.
struct PageRow
{
    const char *caption;                // the tab, UTF-8
    std::optional<ValueRange> range;    // none: the page has no scroll bar
    const char *valueName;              // what the scroll bar sets, for screen readers
    const char *valueDescription;       // the same with its value: before and after the number
    const char *valueUnit;
    bool animates;                      // the start button and the sectors' keys
    // Draws the figure over the erased board; none on a blank page.
    void (*paintFigure)(DrawOps &ops, const PageView &view);
    // Where the figure's units lie in a picture of this inner size: ink on the
    // page is kept in them. None: ink is kept in the picture's pixels.
    Similarity (*frame)(float scaleWidth, float scaleHeight);
    // The lesson aids; none where the page has no aids.
    void (*addAids)(LessonAids &aids, AidLayout &layout, const PageView &view);
    // The figure's lengths in cm, added after the other aids; none where it has none.
    void (*addRealLengths)(LessonAids &aids, AidLayout &layout, const PageView &view);
    // The figure's whole circle, its centre and radius, in a picture of this
    // inner size: squared paper goes under it. None: the page has no circle.
    Similarity (*circle)(float scaleWidth, float scaleHeight) = nullptr;
    // Whether the circle may be shown between its inscribed and outer squares.
    bool boundingSquares = false;
};

// The controls a page has beside its picture.
struct PageControls
{
    bool scroll = false;
    bool label = false;
    bool start = false;
};

// The lesson's pages, in tab order.
namespace PageTable {

const std::vector<PageRow> &rows();
inline int count() { return int(rows().size()); }
// The page's row; a number outside the table gives the last page's, blank.
const PageRow &row(int page);
// Every front-end gives a page these controls and no others.
PageControls controls(int page);

} // namespace PageTable

} // namespace core
