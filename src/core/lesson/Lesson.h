#pragma once

#include "Color.h"
#include "HandSectors.h"
#include "InkFile.h"
#include "InkLayer.h"
#include "LessonInk.h"
#include "LineWeight.h"
#include "PageTable.h"
#include "PageView.h"
#include "SectorLayout.h"
#include "Size.h"
#include "StoredChoices.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace core {

class ClassRoom;

// The lesson as the class sees it: the page in view, each page's value, the
// sectors moved and whether they are moving, the aids and the formula, the
// line weight, each page's pen or one pen for every page, and the lengths in cm. Front-ends show
// it and send it commands;
// after every change it tells its listeners what changed. The clock of the
// animation is the front-end's: it calls tick() every kTickMs while running().
class Lesson
{
public:
    static constexpr int kTickMs = 350;
    static constexpr int kFormulaLines = 5;

    enum class Change {
        Page,    // the page in view
        Value,   // a page's scroll value (its label and figure)
        Figure,  // the page's figure otherwise: sectors moved, the formula
        Running, // the animation started or stopped
        Aids,    // a page's aids shown or hidden
        Weight,  // the line weight of every page
        Pen,     // a page's pen colour
        SharedPen, // one pen for every page, or each page its own
        Ink,     // a page's finished strokes: a stroke, a clear, an erasure, undo, redo, a restore
        Lengths, // lengths in cm on or off, or their radius, on every page; the formula from the diameter or not
        Grid,    // squared paper under every circle, shown or hidden, or counted by the quarter
        Squares, // the squares around the polygon's circle, shown or hidden
        Pages,   // a page shown among the tabs or hidden
        Eraser,  // the eraser taken up or put down
        Toolbar, // the classroom toolbar asked for or put away, or the first start's hint seen
        Layout,  // how the sectors are laid out, or whether they are moved by hand
    };
    using Toolbar = ToolbarChoice;
    using Listener = std::function<void(Change change, int page)>;

    // As the window opens: page 0, the start values, no sector moved, stopped.
    Lesson();

    void listen(Listener listener) { m_listeners.push_back(std::move(listener)); }

    int pageCount() const { return int(m_pages.size()); }
    // Whether the lesson has this page; other numbers are ignored by every command.
    bool has(int page) const { return page >= 0 && page < pageCount(); }
    // The page's row; a page it does not have gives the blank page's.
    const PageRow &row(int page) const;

    int page() const { return m_page; }
    // Switching pages pauses the animation and keeps its step; a hidden page is not shown.
    void showPage(int page);
    // The next and previous page shown, round to the first and last.
    void nextPage();
    void previousPage();
    // Pages the lesson does not need are hidden from the tabs; one always
    // shows. Hiding the page in view shows the next one.
    bool shown(int page) const { return has(page) && m_pages[index(page)].shown; }
    void setShown(int page, bool shown);
    void pause();

    int value(int page) const { return state(page).value; }
    // Held within the page's range; on the animated page it puts every sector back.
    void setValue(int page, int value);
    // What the page's value label shows: the sides, the degrees, or the sectors.
    int shownValue(int page) const;
    std::string valueText(int page) const;

    // The first animated page (the circle cut into sectors); -1 when there is none.
    int animatedPage() const { return m_animatedPage; }
    int step() const { return step(m_animatedPage); }
    int sectors() const;
    // Each page with steps keeps its own: the sectors moved, a figure's working shown.
    bool hasSteps(int page) const { return has(page) && row(page).steps != nullptr; }
    int step(int page) const { return state(page).step; }
    int stepCount(int page) const;
    // The page the step commands act on: the page in view where it has
    // steps, otherwise the first animated page.
    int stepPage() const;
    bool running() const { return m_runningPage >= 0; }
    // The start button: starts, pauses, resumes, or starts a finished run again.
    void pressStart();
    // The page's own button: the start button, or the next step and, after
    // the last, the first again.
    void pressButton(int page);
    void tick();
    // Moves sectors by hand (keys, a clicker): pauses a run, then steps within 0..N.
    void stepSectors(int delta);
    // Page Down (+1) or Page Up (-1) on the page in view. On a page with steps
    // the steps, then with the aids shown and every step taken the squared
    // paper's counting and a line of the formula; on another page the
    // counting. Back again in the reverse order.
    void stepLesson(int delta);
    // Whether stepLesson does anything on the page.
    bool steps(int page) const { return hasSteps(page) || counting(page); }
    // Whether the formula can be written: the aids shown and every step taken.
    bool formulaReady() const;
    // A line of the formula or a step of the counting alone, on the page in
    // view when ready; false where nothing moved.
    bool stepFormula(int delta);
    bool stepCounting(int delta);
    int formulaLineCount(int page) const;
    int formulaLineCount() const { return formulaLineCount(stepPage()); }
    // Home, 「もとにもどす」: every sector back in the circle, by hand or not.
    void returnAllSectors();

    // How the animation lays the sectors out; choosing one leaves the hand mode.
    SectorLayout sectorLayout() const { return m_layout; }
    void setSectorLayout(SectorLayout layout);
    void nextSectorLayout() { setSectorLayout(SectorLayouts::next(m_layout)); }
    // 「自分で並べる」: pointers on the animated page move its sectors instead
    // of writing, undo and redo step through the moves, and there is no
    // animation to start. The same command turns it off and writing on again.
    bool handMode() const { return m_handMode; }
    void setHandMode(bool on);
    void toggleHandMode() { setHandMode(!m_handMode); }
    bool canStart() const { return m_animatedPage >= 0 && !m_handMode; }
    const SectorArrangement &arrangement() const { return m_hand.arrangement(); }
    // A pointer on the animated page's picture, at a point of its inner area of
    // this size; each says whether it took, moved or let go of a sector.
    bool grabSector(PointerId pointer, PointF at, Size inner);
    bool moveSector(PointerId pointer, PointF at, Size inner);
    bool dropSector(PointerId pointer);
    bool flipSector(PointerId pointer);
    bool holdsSector(PointerId pointer) const { return m_hand.holds(pointer); }
    bool holdingSectors() const { return m_hand.holding(); }
    // The pointers that answer `which` let go, as when a window loses them.
    template <typename Which>
    bool dropSectorsWhere(Which which)
    {
        return handChanged(m_hand.dropWhere(which));
    }
    // Another's arrangement of this circle shown here, as one undoable step.
    bool showArrangement(const SectorArrangement &arrangement);

    // A page that offers figures: the one chosen, which starts over with its own lengths.
    int choice(int page) const { return state(page).choice; }
    void setChoice(int page, int choice);
    // The page shown, among the tabs and in view, with this figure chosen.
    void openChoice(int page, int choice);
    // The first page that offers figures to choose from; -1 when there is none.
    int choicePage() const;
    // The second length of the figure chosen; none where it takes one length.
    std::optional<ValueRange> secondRange(int page) const;
    int second(int page) const { return state(page).second; }
    void setSecond(int page, int second);

    bool aidsShown(int page) const { return state(page).aids; }
    bool hasAids(int page) const { return has(page) && row(page).addAids != nullptr; }
    // The page in view's aids, on or off.
    void toggleAids();
    int formulaLines() const { return formulaLines(m_animatedPage); }
    int formulaLines(int page) const { return state(page).formulaLines; }
    // The formula from the diameter, or from the radius as the textbook ends it.
    bool diameterFormula() const { return m_diameterFormula; }
    void setDiameterFormula(bool on);
    void toggleDiameterFormula() { setDiameterFormula(!m_diameterFormula); }

    // Squared paper under the circle of every page that has one; the page in
    // view must have one for the toggle to act.
    bool gridShown() const { return m_grid; }
    // The triangle of rings moves its circle, so it has no squared paper.
    bool hasGrid(int page) const
    {
        return has(page) && row(page).circle != nullptr &&
               !(page == m_animatedPage && m_layout == SectorLayout::Triangle && !m_handMode);
    }
    void toggleGrid();
    void setGrid(bool shown);
    // The circle between two squares, on the page that offers them.
    bool squaresShown() const { return m_squares; }
    bool hasSquares(int page) const { return hasGrid(page) && row(page).boundingSquares; }
    void toggleSquares();
    void setSquares(bool shown);
    // The paper's squares counted a step at a time (PageView::PaperStep) while
    // the paper and the aids show; a fresh paper, radius or way of counting
    // starts from the paper alone.
    bool counting(int page) const { return m_grid && hasGrid(page) && aidsShown(page); }
    // On the animated page the emptied circle is counted, once every sector is placed.
    bool countingReady(int page) const { return counting(page) && (!hasSteps(page) || step(page) == stepCount(page)); }
    int paperStep(int page) const { return state(page).paperStep; }
    // One quarter of the circle counted and taken four times, as the textbook does.
    bool quarterCount() const { return m_quarterCount; }
    void setQuarterCount(bool on);
    void toggleQuarterCount() { setQuarterCount(!m_quarterCount); }

    LineWeight weight() const { return m_weight; }
    void setWeight(LineWeight weight);

    // Whether the aids give lengths in cm, and the circle's real radius: the
    // one place the lesson keeps it.
    bool realLengths() const { return m_realLengths; }
    void setRealLengths(bool on);
    void toggleRealLengths() { setRealLengths(!m_realLengths); }
    int radiusCm() const { return m_radiusCm; }
    // Only a radius on offer; another is ignored.
    void setRadiusCm(int cm);

    Color pen(int page) const { return state(page).pen; }
    void setPen(int page, const Color &pen);
    // The pen of the page in view.
    void setPen(const Color &pen) { setPen(m_page, pen); }
    // The swatch's cycle: white, red, blue, and white again from any other colour.
    void cyclePen();
    // While shared, a pen picked on any page is every page's. Sharing starts
    // from the pen in the teacher's hand, the page in view's; ending it leaves
    // each page that pen until the teacher picks another.
    bool sharedPen() const { return m_sharedPen; }
    void setSharedPen(bool shared);
    // While erasing, a press of the mouse, a finger or a pen's tip erases
    // instead of drawing; a pen's eraser end always erases.
    bool erasing() const { return m_erasing; }
    void setErasing(bool erasing);

    // The classroom toolbar shows where the front-end's screen is a
    // classroom's (full screen, a browser at any size but the design's),
    // unless the teacher chose otherwise.
    Toolbar toolbar() const { return m_toolbar; }
    bool toolbarShown(bool classroomScreen) const;
    // Turns it the other way from what the screen shows now, and keeps that.
    void toggleToolbar(bool classroomScreen);
    // The first start's line pointing at the menu and the help shows once.
    bool hintSeen() const { return m_hintSeen; }
    void noteHintSeen();

    StoredChoices::Choices choices() const;
    void restoreChoices(const StoredChoices::Choices &choices);

    // What a page shows in a picture of this inner size.
    PageView view(int page, Size inner) const;

    // Each page's ink (a page it does not have gives the blank page's), and
    // the commands that change it; a front-end shows its canvas.
    const InkLayer &ink(int page) const { return m_ink.layer(page); }
    LessonInk &ink() { return m_ink; }
    // The page in view's history: each first ends every stroke still being
    // drawn, so an undo takes back what the class saw last. In the hand mode,
    // the sectors' moves instead.
    bool undo();
    bool redo();
    bool clearInk() { return m_ink.clear(m_page); }
    bool canUndo() const;
    bool canRedo() const;
    // Every page's finished strokes, copied; and saved ones put back, one
    // undoable step a page. Strokes may be made ready (InkLayer::prepare,
    // the slow part) anywhere before they are put back.
    InkFile::Board board() const;
    using PreparedBoard = std::vector<InkLayer::Prepared>;
    void restoreBoard(InkFile::Board board);
    void restoreBoard(PreparedBoard board);
    // Whether the board, with these strokes added, still fits the file it is
    // kept in: past it nothing more would be saved.
    bool keepsWith(const PreparedBoard &added) const;

    // The class this lesson is shared with, while its room lasts.
    ClassRoom *classRoom() { return m_classRoom; }
    const ClassRoom *classRoom() const { return m_classRoom; }
    void attachClass(ClassRoom *room) { m_classRoom = room; }

private:
    struct PageState
    {
        int value = 0;
        bool aids = false;
        Color pen;
        int paperStep = PageView::PaperAlone;
        int step = 0;
        int formulaLines = 0;
        int choice = 0;
        int second = 0;
        bool shown = true;
    };

    std::size_t index(int page) const { return std::size_t(has(page) ? page : PageTable::blank()); }
    const PageState &state(int page) const { return m_pages[index(page)]; }
    void tell(Change change, int page);
    void stop();
    void clearFormula(int page);
    void restartCounting();
    void stepBy(int page, int delta);
    // Where a page shown next lies, counting from `page` in this direction.
    int shownFrom(int page, int direction) const;
    PageState &stateOf(int page) { return m_pages[index(page)]; }
    bool handInView() const { return m_handMode && m_page == m_animatedPage; }
    bool handChanged(bool changed);

    std::vector<PageState> m_pages;
    std::vector<Listener> m_listeners;
    int m_page = 0;
    int m_animatedPage = -1;
    int m_runningPage = -1;
    LineWeight m_weight;
    bool m_realLengths = false;
    int m_radiusCm = RadiusCm::kDefault;
    bool m_sharedPen = false;
    bool m_grid = false;
    bool m_squares = false;
    bool m_quarterCount = false;
    bool m_diameterFormula = false;
    bool m_erasing = false;
    Toolbar m_toolbar = Toolbar::Auto;
    bool m_hintSeen = false;
    SectorLayout m_layout = SectorLayout::Parallelogram;
    bool m_handMode = false;
    HandSectors m_hand;
    ClassRoom *m_classRoom = nullptr;
    LessonInk m_ink{*this, [this](int page) { tell(Change::Ink, page); }};
};

} // namespace core
