#include "Lesson.h"

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
        m_pages[std::size_t(page)] = {r.range ? r.range->start : 0, false, PenPalette::pens().front().colour};
        if (r.animates && m_animatedPage < 0)
            m_animatedPage = page;
    }
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
    if (page < 0 || page >= pageCount() || page == m_page)
        return;
    m_page = page;
    tell(Change::Page, page);
}

void Lesson::nextPage() { showPage((m_page + 1) % pageCount()); }
void Lesson::previousPage() { showPage((m_page + pageCount() - 1) % pageCount()); }

void Lesson::pause() { stop(); }

void Lesson::stop()
{
    if (!m_running)
        return;
    m_running = false;
    tell(Change::Running, m_animatedPage);
}

void Lesson::clearFormula() { m_formulaLines = 0; }

void Lesson::setValue(int page, int value)
{
    if (!has(page) || !row(page).range)
        return;
    const ValueRange &range = *row(page).range;
    value = std::clamp(value, range.min, range.max);
    PageState &state = m_pages[index(page)];
    if (value == state.value)
        return;
    if (page == m_animatedPage) {
        m_step = 0;
        stop();
        clearFormula();
    }
    state.value = value;
    tell(Change::Value, page);
}

int Lesson::shownValue(int page) const
{
    const PageRow &r = row(page);
    return has(page) && r.range ? value(page) * r.range->shownPerValue : 0;
}

std::string Lesson::valueText(int page) const { return Text::number(shownValue(page)); }

int Lesson::sectors() const { return m_animatedPage < 0 ? 0 : shownValue(m_animatedPage); }

void Lesson::pressStart()
{
    if (m_animatedPage < 0)
        return;
    if (m_running) {
        stop();
    } else {
        m_running = true;
        clearFormula();
        // A finished run starts again from the whole circle.
        if (m_step == sectors())
            m_step = 0;
        tell(Change::Running, m_animatedPage);
    }
    // Every press repaints, whether it starts or pauses.
    tell(Change::Figure, m_animatedPage);
}

void Lesson::tick()
{
    if (!m_running)
        return;
    m_step = std::min(m_step + 1, sectors());
    if (m_step == sectors())
        stop();
    tell(Change::Figure, m_animatedPage);
}

void Lesson::stepSectors(int delta)
{
    if (m_animatedPage < 0)
        return;
    stop();
    // Sectors moving back undo the finished figure the formula stands on.
    if (delta < 0)
        clearFormula();
    m_step = int(std::clamp(std::int64_t(m_step) + delta, std::int64_t(0), std::int64_t(sectors())));
    tell(Change::Figure, m_animatedPage);
}

void Lesson::stepLesson(int delta)
{
    if (m_animatedPage < 0)
        return;
    if (formulaReady()) {
        if (delta > 0) {
            m_formulaLines = std::min(m_formulaLines + 1, kFormulaLines);
            tell(Change::Figure, m_animatedPage);
            return;
        }
        if (m_formulaLines > 0) {
            --m_formulaLines;
            tell(Change::Figure, m_animatedPage);
            return;
        }
    }
    stepSectors(delta);
}

bool Lesson::formulaReady() const
{
    return m_animatedPage >= 0 && aidsShown(m_animatedPage) && m_step == sectors();
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
    c.toolbar = m_toolbar;
    c.hintSeen = m_hintSeen;
    for (const PageState &state : m_pages)
        c.pens.push_back(state.pen);
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
    if (page == m_animatedPage) {
        v.step = m_step;
        v.formulaLines = m_formulaLines;
    }
    return v;
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
    std::int64_t bytes = InkFile::emptyBoardBytes(pageCount());
    for (int page = 0; page < pageCount(); ++page)
        for (const Stroke *stroke : ink(page).strokes())
            bytes += InkFile::bytesOf(*stroke);
    for (const InkLayer::Prepared &page : added)
        for (const auto &stroke : page)
            bytes += InkFile::bytesOf(stroke->data());
    return bytes <= InkFile::kMaxBytes;
}

} // namespace core
