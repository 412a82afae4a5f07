#include "FollowedBoard.h"

#include <algorithm>

namespace core {

void FollowedBoard::takeState(const LessonSnapshot &snapshot)
{
    snapshot.applyTo(m_lesson);
    m_news = true;
}

void FollowedBoard::take(ClassMessage::Board board)
{
    m_name = std::move(board.name);
    takeState(board.snapshot);
    m_finished = std::move(board.ink);
    m_pagesLive = std::move(board.pages);
    std::erase_if(m_live, [this](const auto &entry) { return finished(entry.first.first, entry.first.second); });
    for (int page = 0; page < m_lesson.pageCount(); ++page)
        show(page);
}

bool FollowedBoard::take(ClassMessage::Live live)
{
    if (!m_lesson.has(live.page) || finished(live.page, live.serial))
        return false;
    // A sender that never finishes its strokes gives up its oldest ones.
    const auto onPage = [&live](const auto &entry) { return entry.first.first == live.page; };
    const auto key = std::make_pair(live.page, live.serial);
    if (!m_live.count(key) && std::count_if(m_live.begin(), m_live.end(), onPage) >= ClassMessage::kMaxLiveStrokes)
        m_live.erase(std::find_if(m_live.begin(), m_live.end(), onPage));
    m_live[key] = std::move(live.stroke);
    show(live.page);
    return true;
}

void FollowedBoard::reset()
{
    m_name.clear();
    m_finished.clear();
    m_pagesLive.clear();
    m_live.clear();
    for (int page = 0; page < m_lesson.pageCount(); ++page)
        show(page);
}

bool FollowedBoard::finished(int page, std::uint32_t serial) const
{
    if (page < 0 || std::size_t(page) >= m_pagesLive.size())
        return false;
    const ClassMessage::PageLive &p = m_pagesLive[std::size_t(page)];
    return serial <= p.begun && std::find(p.live.begin(), p.live.end(), serial) == p.live.end();
}

void FollowedBoard::show(int page)
{
    std::vector<Stroke> strokes;
    if (std::size_t(page) < m_finished.size())
        strokes = m_finished[std::size_t(page)];
    for (const auto &[key, stroke] : m_live)
        if (key.first == page)
            strokes.push_back(stroke);
    m_lesson.ink().replace(page, std::move(strokes));
    m_news = true;
}

} // namespace core
