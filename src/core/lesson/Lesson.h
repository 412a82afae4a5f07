#pragma once

#include "Color.h"
#include "InkFile.h"
#include "InkLayer.h"
#include "LessonInk.h"
#include "LineWeight.h"
#include "PageTable.h"
#include "PageView.h"
#include "Size.h"
#include "StoredChoices.h"

#include <functional>
#include <memory>
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
        Lengths, // lengths in cm on or off, or their radius, on every page
        Grid,    // squared paper under every circle, shown or hidden
        Squares, // the squares around the polygon's circle, shown or hidden
        Eraser,  // the eraser taken up or put down
        Toolbar, // the classroom toolbar asked for or put away, or the first start's hint seen
    };
    using Toolbar = ToolbarChoice;
    using Listener = std::function<void(Change change, int page)>;

    // As the window opens: page 0, the start values, no sector moved, stopped.
    Lesson();

    void listen(Listener listener) { m_listeners.push_back(std::move(listener)); }

    int pageCount() const { return int(m_pages.size()); }
    // Whether the lesson has this page; other numbers are ignored by every command.
    bool has(int page) const { return page >= 0 && page < pageCount(); }
    // The page's row; a page it does not have gives the last page's.
    const PageRow &row(int page) const;

    int page() const { return m_page; }
    // Switching pages pauses the animation and keeps its step.
    void showPage(int page);
    void nextPage();
    void previousPage();
    void pause();

    int value(int page) const { return state(page).value; }
    // Held within the page's range; on the animated page it puts every sector back.
    void setValue(int page, int value);
    // What the page's value label shows: the sides, the degrees, or the sectors.
    int shownValue(int page) const;
    std::string valueText(int page) const;

    // The animated page (the circle cut into sectors); -1 when there is none.
    int animatedPage() const { return m_animatedPage; }
    int step() const { return m_step; }
    int sectors() const;
    bool running() const { return m_running; }
    // The start button: starts, pauses, resumes, or starts a finished run again.
    void pressStart();
    void tick();
    // Moves sectors by hand (keys, a clicker): pauses a run, then steps within 0..N.
    void stepSectors(int delta);
    // Page Down (+1) or Page Up (-1) on the animated page: with the aids shown
    // and every sector placed, a line of the formula; otherwise the sectors.
    void stepLesson(int delta);
    // Whether the formula can be written: the aids shown and every sector placed.
    bool formulaReady() const;
    void returnAllSectors() { stepSectors(-m_step); }

    bool aidsShown(int page) const { return state(page).aids; }
    bool hasAids(int page) const { return has(page) && row(page).addAids != nullptr; }
    // The page in view's aids, on or off.
    void toggleAids();
    int formulaLines() const { return m_formulaLines; }

    // Squared paper under the circle of every page that has one; the page in
    // view must have one for the toggle to act.
    bool gridShown() const { return m_grid; }
    bool hasGrid(int page) const { return has(page) && row(page).circle != nullptr; }
    void toggleGrid();
    void setGrid(bool shown);
    // The circle between two squares, on the page that offers them.
    bool squaresShown() const { return m_squares; }
    bool hasSquares(int page) const { return hasGrid(page) && row(page).boundingSquares; }
    void toggleSquares();
    void setSquares(bool shown);

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

    // Each page's ink (a page it does not have gives the last page's), and
    // the commands that change it; a front-end shows its canvas.
    const InkLayer &ink(int page) const { return m_ink.layer(page); }
    LessonInk &ink() { return m_ink; }
    // The page in view's history: each first ends every stroke still being
    // drawn, so an undo takes back what the class saw last.
    bool undo() { return m_ink.undo(m_page); }
    bool redo() { return m_ink.redo(m_page); }
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
    };

    std::size_t index(int page) const { return std::size_t(has(page) ? page : pageCount() - 1); }
    const PageState &state(int page) const { return m_pages[index(page)]; }
    void tell(Change change, int page);
    void stop();
    void clearFormula();

    std::vector<PageState> m_pages;
    std::vector<Listener> m_listeners;
    int m_page = 0;
    int m_animatedPage = -1;
    int m_step = 0;
    bool m_running = false;
    int m_formulaLines = 0;
    LineWeight m_weight;
    bool m_realLengths = false;
    int m_radiusCm = RadiusCm::kDefault;
    bool m_sharedPen = false;
    bool m_grid = false;
    bool m_squares = false;
    bool m_erasing = false;
    Toolbar m_toolbar = Toolbar::Auto;
    bool m_hintSeen = false;
    ClassRoom *m_classRoom = nullptr;
    LessonInk m_ink{*this, [this](int page) { tell(Change::Ink, page); }};
};

} // namespace core
