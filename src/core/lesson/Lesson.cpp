#include "Lesson.h"

#include "ParallelogramAids.h"
#include "PenPalette.h"
#include "Text.h"

#include <algorithm>

namespace core {

namespace {

const Color kWhite{255, 255, 255};
const Color kRed{255, 0, 0};
const Color kBlue{0, 0, 255};

} // namespace

Lesson::Lesson()
{
    const int count = PageTable::count();
    m_pages.resize(std::size_t(count));
    for (int page = 0; page < count; ++page) {
        const PageRow &r = row(page);
        PageState &state = m_pages[std::size_t(page)];
        state = {r.range ? r.range->start : 0, false, PenPalette::pens().front().colour};
        state.shown = r.shownAtFirst;
        if (r.secondRange)
            if (const std::optional<ValueRange> second = r.secondRange(0))
                state.second = second->start;
        if (r.animates && m_animatedPage < 0)
            m_animatedPage = page;
    }
    if (m_animatedPage >= 0)
        m_hand.restart(value(m_animatedPage));
}

const PageRow &Lesson::row(int page) const { return PageTable::row(page); }

void Lesson::tell(Change change, int page)
{
    // The fills under the ink follow the figure.
    if (change == Change::Value || change == Change::Figure || change == Change::Aids)
        m_ink.follow(page);
    else if (change == Change::Grid || change == Change::Squares || change == Change::Weight)
        m_ink.follow();
    for (const Listener &listener : m_listeners)
        listener(change, page);
}

void Lesson::showPage(int page)
{
    pause();
    if (!shown(page) || page == m_page)
        return;
    // A finger still down as the page goes lets go of its sector.
    handChanged(m_hand.dropAll());
    m_page = page;
    tell(Change::Page, page);
}

int Lesson::shownFrom(int page, int direction) const
{
    for (int k = 1; k <= pageCount(); ++k) {
        const int candidate = ((page + direction * k) % pageCount() + pageCount()) % pageCount();
        if (shown(candidate))
            return candidate;
    }
    return page;
}

void Lesson::nextPage() { showPage(shownFrom(m_page, 1)); }
void Lesson::previousPage() { showPage(shownFrom(m_page, -1)); }

void Lesson::setShown(int page, bool shown)
{
    if (!has(page) || shown == this->shown(page))
        return;
    if (!shown && shownFrom(page, 1) == page)
        return;
    // The class sees the next page before its tab goes.
    if (!shown && page == m_page)
        showPage(shownFrom(page, 1));
    stateOf(page).shown = shown;
    tell(Change::Pages, page);
}

void Lesson::pause() { stop(); }

void Lesson::stop()
{
    if (m_runningPage < 0)
        return;
    const int page = m_runningPage;
    m_runningPage = -1;
    tell(Change::Running, page);
}

// The formula, and the counting of the emptied circle, stand on the finished figure.
void Lesson::clearFormula(int page)
{
    PageState &s = stateOf(page);
    s.formulaLines = 0;
    if (hasSteps(page))
        s.paperStep = PageView::PaperAlone;
}

void Lesson::restartCounting()
{
    for (PageState &state : m_pages)
        state.paperStep = PageView::PaperAlone;
}

bool Lesson::stepCounting(int delta)
{
    if (!countingReady(m_page))
        return false;
    int &step = m_pages[index(m_page)].paperStep;
    const int next = std::clamp(step + (delta > 0 ? 1 : -1), int(PageView::PaperAlone), int(PageView::Estimated));
    if (next == step)
        return false;
    step = next;
    tell(Change::Figure, m_page);
    return true;
}

void Lesson::setValue(int page, int value)
{
    if (!has(page) || !row(page).range)
        return;
    const ValueRange &range = *row(page).range;
    value = std::clamp(value, range.min, range.max);
    PageState &state = m_pages[index(page)];
    const int wanted = value;
    int second = state.second;
    if (row(page).holdValues)
        row(page).holdValues(state.choice, value, second);
    if (value == state.value && second == state.second) {
        // A value held back shows where it stays.
        if (value != wanted)
            tell(Change::Value, page);
        return;
    }
    if (row(page).animates) {
        state.step = 0;
        if (page == m_runningPage)
            stop();
        clearFormula(page);
    }
    state.value = value;
    state.second = second;
    if (page == m_animatedPage)
        m_hand.restart(value);
    tell(Change::Value, page);
}

void Lesson::openChoice(int page, int choice)
{
    if (!has(page) || choice < 0 || choice >= int(row(page).choices.size()))
        return;
    setShown(page, true);
    setChoice(page, choice);
    showPage(page);
}

int Lesson::choicePage() const
{
    for (int page = 0; page < pageCount(); ++page)
        if (!row(page).choices.empty())
            return page;
    return -1;
}

std::optional<ValueRange> Lesson::secondRange(int page) const
{
    return has(page) && row(page).secondRange ? row(page).secondRange(choice(page)) : std::nullopt;
}

void Lesson::setSecond(int page, int second)
{
    const std::optional<ValueRange> range = secondRange(page);
    if (!range)
        return;
    PageState &state = stateOf(page);
    int value = state.value;
    second = std::clamp(second, range->min, range->max);
    if (row(page).holdValues)
        row(page).holdValues(state.choice, value, second);
    if (second == state.second)
        return;
    state.second = second;
    tell(Change::Figure, page);
}

void Lesson::setChoice(int page, int choice)
{
    if (!has(page) || choice < 0 || choice >= int(row(page).choices.size()) || choice == this->choice(page))
        return;
    PageState &state = stateOf(page);
    state.choice = choice;
    state.step = 0;
    clearFormula(page);
    const std::optional<ValueRange> second = secondRange(page);
    state.second = second ? second->start : 0;
    // The figure starts from its own lengths; the first is what the scroll bar shows.
    if (row(page).valueStart)
        state.value = row(page).valueStart(choice);
    tell(Change::Value, page);
    tell(Change::Figure, page);
}

int Lesson::shownValue(int page) const
{
    const PageRow &r = row(page);
    return has(page) && r.range ? value(page) * r.range->shownPerValue : 0;
}

std::string Lesson::valueText(int page) const { return Text::number(shownValue(page)); }

int Lesson::sectors() const { return m_animatedPage < 0 ? 0 : shownValue(m_animatedPage); }

int Lesson::stepCount(int page) const { return hasSteps(page) ? row(page).steps(value(page)) : 0; }

int Lesson::stepPage() const { return hasSteps(m_page) ? m_page : m_animatedPage; }

void Lesson::pressStart()
{
    const int page = row(m_page).animates ? m_page : m_animatedPage;
    if (page < 0)
        return;
    if (m_handMode && page == m_animatedPage) {
        returnAllSectors();
        return;
    }
    if (m_runningPage == page) {
        stop();
    } else {
        stop();
        m_runningPage = page;
        clearFormula(page);
        // A finished run starts again from the whole circle.
        if (step(page) == stepCount(page))
            stateOf(page).step = 0;
        tell(Change::Running, page);
    }
    // Every press repaints, whether it starts or pauses.
    tell(Change::Figure, page);
}

void Lesson::pressButton(int page)
{
    if (!has(page) || !row(page).buttonCaption)
        return;
    if (row(page).animates) {
        pressStart();
        return;
    }
    stepBy(page, step(page) == stepCount(page) ? -step(page) : 1);
}

void Lesson::tick()
{
    if (m_runningPage < 0)
        return;
    const int page = m_runningPage;
    PageState &state = stateOf(page);
    state.step = std::min(state.step + 1, stepCount(page));
    if (state.step == stepCount(page))
        stop();
    tell(Change::Figure, page);
}

void Lesson::stepBy(int page, int delta)
{
    stop();
    // Steps back undo the finished figure the formula stands on.
    if (delta < 0)
        clearFormula(page);
    PageState &state = stateOf(page);
    state.step = int(std::clamp(std::int64_t(state.step) + delta, std::int64_t(0), std::int64_t(stepCount(page))));
    tell(Change::Figure, page);
}

void Lesson::stepSectors(int delta)
{
    const int page = stepPage();
    if (page >= 0 && !(m_handMode && page == m_animatedPage))
        stepBy(page, delta);
}

void Lesson::stepLesson(int delta)
{
    if (delta == 0 || !steps(m_page) || handInView())
        return;
    if (delta > 0 ? stepCounting(delta) || stepFormula(delta) : stepFormula(delta) || stepCounting(delta))
        return;
    if (hasSteps(m_page) && !(delta > 0 && formulaReady()))
        stepBy(m_page, delta);
}

bool Lesson::stepFormula(int delta)
{
    if (!hasSteps(m_page) || !formulaReady())
        return false;
    int &lines = stateOf(m_page).formulaLines;
    const int next = std::clamp(lines + (delta > 0 ? 1 : -1), 0, formulaLineCount(m_page));
    if (next == lines)
        return false;
    lines = next;
    tell(Change::Figure, m_page);
    return true;
}

// The page's own count, but the sectors' formula is longer when built from the diameter.
int Lesson::formulaLineCount(int page) const
{
    return row(page).formulaLines > 0 ? int(ParallelogramAids::formula(m_diameterFormula).size()) : 0;
}

bool Lesson::formulaReady() const
{
    const int page = stepPage();
    return page >= 0 && row(page).formulaLines > 0 && aidsShown(page) && step(page) == stepCount(page);
}

void Lesson::returnAllSectors()
{
    if (m_handMode && stepPage() == m_animatedPage)
        handChanged(m_hand.reset());
    else
        stepSectors(-step(stepPage()));
}

void Lesson::setSectorLayout(SectorLayout layout)
{
    if (m_animatedPage < 0 || (layout == m_layout && !m_handMode))
        return;
    stop();
    m_hand.dropAll();
    m_layout = layout;
    m_handMode = false;
    tell(Change::Layout, m_animatedPage);
}

void Lesson::setHandMode(bool on)
{
    if (m_animatedPage < 0 || on == m_handMode)
        return;
    stop();
    m_hand.dropAll();
    m_handMode = on;
    tell(Change::Layout, m_animatedPage);
}

bool Lesson::handChanged(bool changed)
{
    if (changed)
        tell(Change::Figure, m_animatedPage);
    return changed;
}

bool Lesson::grabSector(PointerId pointer, PointF at, Size inner)
{
    return m_handMode && handChanged(m_hand.grab(pointer, at, inner));
}

bool Lesson::moveSector(PointerId pointer, PointF at, Size inner)
{
    return m_handMode && handChanged(m_hand.move(pointer, at, inner));
}

bool Lesson::dropSector(PointerId pointer) { return m_handMode && handChanged(m_hand.drop(pointer)); }

bool Lesson::flipSector(PointerId pointer) { return m_handMode && handChanged(m_hand.flip(pointer)); }

bool Lesson::showArrangement(const SectorArrangement &arrangement)
{
    return m_handMode && handChanged(m_hand.show(arrangement));
}

void Lesson::toggleAids()
{
    if (!hasAids(m_page))
        return;
    PageState &state = m_pages[index(m_page)];
    state.aids = !state.aids;
    tell(Change::Aids, m_page);
}

void Lesson::toggleGrid()
{
    if (hasGrid(m_page))
        setGrid(!m_grid);
}

void Lesson::setGrid(bool shown)
{
    if (shown == m_grid)
        return;
    m_grid = shown;
    if (shown)
        restartCounting();
    tell(Change::Grid, m_page);
}

void Lesson::toggleSquares()
{
    if (hasSquares(m_page))
        setSquares(!m_squares);
}

void Lesson::setSquares(bool shown)
{
    if (shown == m_squares)
        return;
    m_squares = shown;
    tell(Change::Squares, m_page);
}

void Lesson::setQuarterCount(bool on)
{
    if (on == m_quarterCount)
        return;
    m_quarterCount = on;
    restartCounting();
    tell(Change::Grid, m_page);
}

void Lesson::setDiameterFormula(bool on)
{
    if (on == m_diameterFormula)
        return;
    m_diameterFormula = on;
    for (int page = 0; page < pageCount(); ++page)
        stateOf(page).formulaLines = std::min(stateOf(page).formulaLines, formulaLineCount(page));
    tell(Change::Lengths, m_page);
}

void Lesson::setWeight(LineWeight weight)
{
    if (weight == m_weight)
        return;
    m_weight = weight;
    m_ink.setWeight(weight);
    tell(Change::Weight, m_page);
}

void Lesson::setRealLengths(bool on)
{
    if (on == m_realLengths)
        return;
    m_realLengths = on;
    tell(Change::Lengths, m_page);
}

void Lesson::setRadiusCm(int cm)
{
    if (cm == m_radiusCm || !RadiusCm::offers(cm))
        return;
    m_radiusCm = cm;
    restartCounting();
    tell(Change::Lengths, m_page);
}

void Lesson::setPen(int page, const Color &pen)
{
    if (!has(page))
        return;
    m_pages[index(page)].pen = pen;
    tell(Change::Pen, page);
    if (!m_sharedPen)
        return;
    for (int other = 0; other < pageCount(); ++other) {
        PageState &state = m_pages[index(other)];
        if (state.pen == pen)
            continue;
        state.pen = pen;
        tell(Change::Pen, other);
    }
}

void Lesson::setSharedPen(bool shared)
{
    if (shared == m_sharedPen)
        return;
    m_sharedPen = shared;
    if (shared)
        setPen(pen(m_page));
    tell(Change::SharedPen, m_page);
}

void Lesson::setErasing(bool erasing)
{
    if (erasing == m_erasing)
        return;
    m_erasing = erasing;
    tell(Change::Eraser, m_page);
}

bool Lesson::toolbarShown(bool classroomScreen) const
{
    return m_toolbar == Toolbar::Auto ? classroomScreen : m_toolbar == Toolbar::Shown;
}

void Lesson::toggleToolbar(bool classroomScreen)
{
    m_toolbar = toolbarShown(classroomScreen) ? Toolbar::Hidden : Toolbar::Shown;
    tell(Change::Toolbar, m_page);
}

void Lesson::noteHintSeen()
{
    if (m_hintSeen)
        return;
    m_hintSeen = true;
    tell(Change::Toolbar, m_page);
}

void Lesson::cyclePen()
{
    const Color c = pen(m_page);
    setPen(c == kWhite ? kRed : c == kRed ? kBlue : kWhite);
}

StoredChoices::Choices Lesson::choices() const
{
    StoredChoices::Choices c{m_weight, {}, m_realLengths, m_radiusCm, m_sharedPen, m_grid, m_squares};
    c.quarterCount = m_quarterCount;
    c.diameterFormula = m_diameterFormula;
    c.toolbar = m_toolbar;
    c.hintSeen = m_hintSeen;
    for (const PageState &state : m_pages) {
        c.pens.push_back(state.pen);
        c.shown.push_back(state.shown);
    }
    return c;
}

void Lesson::restoreChoices(const StoredChoices::Choices &choices)
{
    for (std::size_t page = 0; page < m_pages.size() && page < choices.pens.size(); ++page) {
        m_pages[page].pen = choices.pens[page];
        tell(Change::Pen, int(page));
    }
    setSharedPen(choices.sharedPen);
    setWeight(choices.weight);
    setRadiusCm(choices.radiusCm);
    setRealLengths(choices.realLengths);
    setGrid(choices.grid);
    setSquares(choices.squares);
    setQuarterCount(choices.quarterCount);
    setDiameterFormula(choices.diameterFormula);
    for (std::size_t page = 0; page < m_pages.size() && page < choices.shown.size(); ++page)
        if (choices.shown[page])
            setShown(int(page), true);
    for (std::size_t page = 0; page < m_pages.size() && page < choices.shown.size(); ++page)
        if (!choices.shown[page])
            setShown(int(page), false);
    if (choices.toolbar != m_toolbar || choices.hintSeen != m_hintSeen) {
        m_toolbar = choices.toolbar;
        m_hintSeen = choices.hintSeen;
        tell(Change::Toolbar, m_page);
    }
}

PageView Lesson::view(int page, Size inner) const
{
    page = int(index(page));
    PageView v{page, inner.expandedTo(Size(0, 0)), value(page), 0, m_weight, aidsShown(page), 0, m_realLengths,
               m_radiusCm};
    v.grid = m_grid && hasGrid(page);
    v.squares = m_squares && hasSquares(page);
    const PageState &s = state(page);
    v.step = s.step;
    v.formulaLines = s.formulaLines;
    v.choice = s.choice;
    v.second = s.second;
    v.paperStep = s.paperStep;
    v.quarterCount = m_quarterCount;
    v.diameterFormula = m_diameterFormula;
    if (page == m_animatedPage) {
        v.layout = m_layout;
        if (m_handMode)
            v.hand = m_hand.arrangement();
    }
    return v;
}

bool Lesson::undo()
{
    if (handInView())
        return handChanged(m_hand.undo());
    return m_ink.undo(m_page);
}

bool Lesson::redo()
{
    if (handInView())
        return handChanged(m_hand.redo());
    return m_ink.redo(m_page);
}

bool Lesson::canUndo() const { return ink(m_page).undoDepth() > 0 || ink(m_page).drawing(); }
bool Lesson::canRedo() const { return ink(m_page).redoDepth() > 0; }

InkFile::Board Lesson::board() const
{
    InkFile::Board board(m_pages.size());
    for (std::size_t page = 0; page < m_pages.size(); ++page)
        for (const Stroke *stroke : ink(int(page)).strokes())
            board[page].push_back(*stroke);
    return board;
}

void Lesson::restoreBoard(InkFile::Board board)
{
    PreparedBoard prepared;
    for (std::vector<Stroke> &page : board)
        prepared.push_back(InkLayer::prepare(std::move(page)));
    restoreBoard(std::move(prepared));
}

void Lesson::restoreBoard(PreparedBoard board)
{
    for (std::size_t page = 0; page < m_pages.size() && page < board.size(); ++page)
        m_ink.restore(int(page), std::move(board[page]));
}

bool Lesson::keepsWith(const PreparedBoard &added) const
{
    std::int64_t bytes = InkFile::emptyBoardBytes(PageTable::ids());
    for (int page = 0; page < pageCount(); ++page)
        for (const Stroke *stroke : ink(page).strokes())
            bytes += InkFile::bytesOf(*stroke);
    // Pages of a later program's are not put back, so they add nothing.
    for (std::size_t page = 0; page < added.size() && page < m_pages.size(); ++page)
        for (const auto &stroke : added[page])
            bytes += InkFile::bytesOf(stroke->data());
    return bytes <= InkFile::kMaxBytes;
}

} // namespace core
