#pragma once

#include "ClassMessage.h"
#include "Lesson.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace core {

// Someone else's board as this device shows it: the teacher's on a pupil's
// screen, or a pupil's in the teacher's gallery. Their lesson's state, their
// finished strokes, and their strokes still being drawn as they grow; a
// stroke once finished is never shown twice, however late its last growth
// arrives.
class FollowedBoard
{
public:
    FollowedBoard() = default;

    Lesson &lesson() { return m_lesson; }
    const Lesson &lesson() const { return m_lesson; }
    const std::string &name() const { return m_name; }

    void take(ClassMessage::Board board);
    // False for a stroke this board already holds finished.
    bool take(ClassMessage::Live live);
    void takeState(const LessonSnapshot &snapshot);
    // No name and no ink, as before anything came.
    void reset();
    // Whether anything came since the last call: a gallery redraws only those.
    bool takeNews() { return std::exchange(m_news, false); }

private:
    bool finished(int page, std::uint32_t serial) const;
    void show(int page);

    Lesson m_lesson;
    std::string m_name;
    std::vector<std::vector<Stroke>> m_finished;
    std::vector<ClassMessage::PageLive> m_pagesLive;
    std::map<std::pair<int, std::uint32_t>, Stroke> m_live;
    bool m_news = false;
};

} // namespace core
