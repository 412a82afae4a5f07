#pragma once

#include "DesignGeometry.h"
#include "InkFile.h"
#include "Similarity.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace core {

class AidLayout;
class DrawOps;
class TextMeasure;
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
    const char *name = ""; // what it sets, where a page's choices name it
};

// One page of the lesson: everything that differs from page to page. Adding a
// page is a row here and its figure; the row's id, not its place, names the
// page in saved ink, the settings and the command line.
struct PageRow
{
    const char *id;                     // short ASCII, never changed once files name it
    const char *caption;                // the tab, UTF-8
    std::optional<ValueRange> range;    // none: the page has no scroll bar
    const char *valueName;              // what the scroll bar sets, for screen readers
    const char *valueDescription;       // the same with its value: before and after the number
    const char *valueUnit;
    bool animates;                      // the start button runs its steps by the clock
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
    // How many quarters of the circle, counter-clockwise from 3 o'clock, the
    // paper's squares are counted in. None: the whole circle, or the quarter
    // the class chose to count.
    int (*countedQuarters)(const PageView &view) = nullptr;
    // Where the page's controls start, in twips; a control it does not have is empty.
    DesignGeometry::PageDesign design = {};
    // The steps Page Down reveals one by one at this value; none: the page has none.
    int (*steps)(int value) = nullptr;
    // Lines of the formula that follow the last step while the aids show.
    int formulaLines = 0;
    // The button beside the scroll bar, UTF-8; none: the page has no button.
    const char *buttonCaption = nullptr;
    // Pages beyond the design's start hidden; a teacher shows them.
    bool shownAtFirst = true;
    // The figure's own words over it, measured as the front-end letters them.
    void (*paintWorked)(DrawOps &ops, const PageView &view, const TextMeasure &measure) = nullptr;
    // The figures the page offers to choose from, by name; the choice is the view's.
    std::span<const char *const> choices = {};
    // Where the scroll bar starts for each choice.
    int (*valueStart)(int choice) = nullptr;
    // A second length some choices take, and its range; none for the others.
    std::optional<ValueRange> (*secondRange)(int choice) = nullptr;
    // Holds a value, and the second length, within what the choice allows.
    void (*holdValues)(int choice, int &value, int &second) = nullptr;
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
// The page's row; a number outside the table gives the blank page's.
const PageRow &row(int page);
// The page with this id, if there is one.
std::optional<int> find(std::string_view id);
// The blank page, where input naming no page lands.
int blank();
// Every page's id, in table order.
std::vector<std::string> ids();
// The pages the first ink files and settings named by position 0, 1, 2, ….
std::span<const char *const> firstIds();
// The pages as the ink file names them.
InkFile::Pages inkPages();
// Every front-end gives a page these controls and no others.
PageControls controls(int page);

} // namespace PageTable

} // namespace core
