#include "ClassRoom.h"

#include "ClassCode.h"
#include "ClassTopics.h"
#include "Lesson.h"

#include <algorithm>

namespace core {

namespace {

constexpr int kQosOnce = 0;
constexpr int kQosAtLeastOnce = 1;

// What a follower takes from the teacher; pens and ink stay its own.
bool followed(Lesson::Change change)
{
    switch (change) {
    case Lesson::Change::Pen:
    case Lesson::Change::SharedPen:
    case Lesson::Change::Ink:
        return false;
    default:
        return true;
    }
}

} // namespace

ClassRoom::ClassRoom(Lesson &lesson) : m_lesson(lesson)
{
    m_lesson.listen([this](Lesson::Change change, int) { changed(change); });
    m_lesson.attachClass(this);
}

ClassRoom::~ClassRoom()
{
    if (m_lesson.classRoom() == this)
        m_lesson.attachClass(nullptr);
}

void ClassRoom::tell(Event event) const
{
    for (const Listener &listener : m_listeners)
        listener(event);
}

void ClassRoom::send(std::string topic, ClassMessage::Bytes payload, bool retain, int qos) const
{
    if (m_send)
        m_send({std::move(topic), std::move(payload), retain, qos});
}

bool ClassRoom::teach(const std::string &code)
{
    if (!ClassCode::valid(code))
        return false;
    leave();
    m_role = Role::Teacher;
    m_code = code;
    return true;
}

bool ClassRoom::join(const std::string &code, const std::string &pupilId, const std::string &name)
{
    const std::optional<std::string> shown = ClassCode::readName(name);
    if (!ClassCode::valid(code) || !ClassCode::validPupilId(pupilId) || !shown)
        return false;
    leave();
    m_role = Role::Pupil;
    m_code = code;
    m_pupil = pupilId;
    m_name = *shown;
    return true;
}

void ClassRoom::leave()
{
    m_role = Role::None;
    m_code.clear();
    m_pupil.clear();
    m_free = false;
    m_clears = 0;
    m_clearsSeen.reset();
    m_sentSnapshot.reset();
    m_teacherSnapshot.reset();
    m_boardDue = false;
    m_liveSent.clear();
    m_begun.clear();
    m_pupils.clear();
    m_teacher.reset();
    tell(Event::Pupils);
    tell(Event::Teacher);
}

std::vector<std::string> ClassRoom::subscriptions() const
{
    if (m_role == Role::Teacher)
        return {ClassTopics::everyPupil(m_code)};
    if (m_role == Role::Pupil)
        return {ClassTopics::lesson(m_code), ClassTopics::ink(m_code), ClassTopics::live(m_code)};
    return {};
}

void ClassRoom::connected()
{
    if (m_role == Role::Teacher) {
        m_sentSnapshot.reset();
        sendLesson();
    }
    if (m_role != Role::None) {
        m_boardDue = false;
        sendBoard();
    }
}

void ClassRoom::setPupilsFree(bool free)
{
    if (m_role != Role::Teacher || free == m_free)
        return;
    m_free = free;
    m_sentSnapshot.reset();
    sendLesson();
    tell(Event::State);
}

void ClassRoom::clearPupilBoards()
{
    if (m_role != Role::Teacher)
        return;
    ++m_clears;
    m_sentSnapshot.reset();
    sendLesson();
}

void ClassRoom::end()
{
    if (m_role != Role::Teacher)
        return;
    // Empty retained messages take the class off the broker; pupils keep their boards.
    send(ClassTopics::lesson(m_code), {}, true, kQosAtLeastOnce);
    send(ClassTopics::ink(m_code), {}, true, kQosAtLeastOnce);
    for (const auto &[id, board] : m_pupils)
        send(ClassTopics::pupilBoard(m_code, id), {}, true, kQosAtLeastOnce);
    leave();
    // The front-end closes its connection once these have gone.
    tell(Event::Ended);
}

void ClassRoom::changed(Lesson::Change change)
{
    if (m_applying || m_role == Role::None)
        return;
    if (change == Lesson::Change::Ink) {
        m_boardDue = true;
        return;
    }
    if (!followed(change))
        return;
    if (m_role == Role::Teacher)
        sendLesson();
    else if (following())
        follow();
    else
        m_boardDue = true;
}

void ClassRoom::sendLesson()
{
    const LessonSnapshot now = LessonSnapshot::of(m_lesson);
    if (m_sentSnapshot == now)
        return;
    m_sentSnapshot = now;
    send(ClassTopics::lesson(m_code), ClassMessage::encode(ClassMessage::LessonState{now, m_free, m_clears}), true,
         kQosAtLeastOnce);
}

void ClassRoom::sendBoard()
{
    ClassMessage::Board board{m_role == Role::Pupil ? m_name : std::string(), LessonSnapshot::of(m_lesson), {},
                              m_lesson.board()};
    m_begun.resize(std::size_t(m_lesson.pageCount()));
    for (int page = 0; page < m_lesson.pageCount(); ++page) {
        ClassMessage::PageLive live{m_begun[std::size_t(page)], {}};
        for (const InkStrokes::LiveStroke &s : m_lesson.ink(page).liveStrokes())
            if (std::uint32_t(s.serial) <= live.begun && live.live.size() < std::size_t(ClassMessage::kMaxLiveStrokes))
                live.live.push_back(std::uint32_t(s.serial));
        board.pages.push_back(std::move(live));
    }
    const std::optional<ClassMessage::Bytes> bytes = ClassMessage::encode(board);
    if (!bytes) {
        tell(Event::TooLarge);
        return;
    }
    const std::string topic =
        m_role == Role::Teacher ? ClassTopics::ink(m_code) : ClassTopics::pupilBoard(m_code, m_pupil);
    send(topic, *bytes, true, kQosAtLeastOnce);
}

void ClassRoom::sendLive(double nowMs)
{
    if (nowMs - m_liveSentAt < kLiveIntervalMs)
        return;
    const std::string topic =
        m_role == Role::Teacher ? ClassTopics::live(m_code) : ClassTopics::pupilLive(m_code, m_pupil);
    std::map<std::pair<int, std::uint64_t>, std::size_t> stillLive;
    m_begun.resize(std::size_t(m_lesson.pageCount()));
    bool sent = false;
    for (int page = 0; page < m_lesson.pageCount(); ++page) {
        for (const InkStrokes::LiveStroke &s : m_lesson.ink(page).liveStrokes()) {
            const auto key = std::make_pair(page, s.serial);
            const auto had = m_liveSent.find(key);
            std::size_t &points = stillLive[key] = had == m_liveSent.end() ? 0 : had->second;
            m_begun[std::size_t(page)] = std::max(m_begun[std::size_t(page)], std::uint32_t(s.serial));
            if (s.stroke->points.size() == points)
                continue;
            points = s.stroke->points.size();
            if (const auto bytes = ClassMessage::encode(ClassMessage::Live{page, std::uint32_t(s.serial), *s.stroke})) {
                send(topic, *bytes, false, kQosOnce);
                sent = true;
            }
        }
    }
    m_liveSent = std::move(stillLive);
    if (sent)
        m_liveSentAt = nowMs;
}

void ClassRoom::pump(double nowMs)
{
    if (m_role == Role::None)
        return;
    sendLive(nowMs);
    if (m_boardDue && nowMs - m_boardSentAt >= kBoardIntervalMs) {
        m_boardDue = false;
        m_boardSentAt = nowMs;
        sendBoard();
    }
}

void ClassRoom::follow()
{
    if (!m_teacherSnapshot)
        return;
    m_applying = true;
    m_teacherSnapshot->applyTo(m_lesson);
    m_applying = false;
}

ClassRoom::Received ClassRoom::receive(const std::string &topic, const std::uint8_t *data, std::size_t size)
{
    if (m_role == Role::None)
        return Received::Ignored;
    const ClassTopics::Parsed parsed = ClassTopics::parse(topic, m_code);
    if (parsed.kind == ClassTopics::Kind::None) {
        ++m_dropped;
        return Received::Dropped;
    }
    ClassMessage::Read read = ClassMessage::decode(data, size, m_lesson.pageCount());
    const bool empty = read.problem == ClassMessage::Problem::Empty;
    if (read.problem != ClassMessage::Problem::None && !empty) {
        ++m_dropped;
        return Received::Dropped;
    }
    const Received taken = m_role == Role::Teacher
                               ? takeAsTeacher(int(parsed.kind), parsed.pupil, std::move(read), empty)
                               : takeAsPupil(int(parsed.kind), std::move(read), empty);
    if (taken == Received::Dropped)
        ++m_dropped;
    return taken;
}

ClassRoom::Received ClassRoom::takeAsPupil(int kind, ClassMessage::Read read, bool empty)
{
    using Kind = ClassTopics::Kind;
    if (Kind(kind) == Kind::Lesson && empty) {
        leave();
        tell(Event::Ended);
        return Received::Taken;
    }
    if (empty)
        return Received::Ignored;
    if (Kind(kind) == Kind::Lesson) {
        auto *lesson = std::get_if<ClassMessage::LessonState>(&read.message);
        if (!lesson)
            return Received::Dropped;
        const bool called = m_free && !lesson->free;
        m_free = lesson->free;
        m_teacherSnapshot = lesson->snapshot;
        m_teacher.takeState(lesson->snapshot);
        if (m_clearsSeen && *m_clearsSeen != lesson->clears)
            for (int page = 0; page < m_lesson.pageCount(); ++page)
                m_lesson.ink().clear(page);
        m_clearsSeen = lesson->clears;
        if (following())
            follow();
        if (called || m_free)
            m_boardDue = true;
        tell(Event::State);
        return Received::Taken;
    }
    if (Kind(kind) == Kind::Ink) {
        auto *board = std::get_if<ClassMessage::Board>(&read.message);
        if (!board)
            return Received::Dropped;
        m_teacher.take(std::move(*board));
        tell(Event::Teacher);
        return Received::Taken;
    }
    if (Kind(kind) == Kind::Live) {
        auto *live = std::get_if<ClassMessage::Live>(&read.message);
        if (!live)
            return Received::Dropped;
        if (!m_teacher.take(std::move(*live)))
            return Received::Ignored;
        tell(Event::Teacher);
        return Received::Taken;
    }
    return Received::Ignored;
}

FollowedBoard *ClassRoom::pupilBoard(const std::string &id, bool add)
{
    for (auto &[pupil, board] : m_pupils)
        if (pupil == id)
            return board.get();
    if (!add || int(m_pupils.size()) >= kMaxPupils)
        return nullptr;
    m_pupils.emplace_back(id, std::make_unique<FollowedBoard>());
    return m_pupils.back().second.get();
}

ClassRoom::Received ClassRoom::takeAsTeacher(int kind, const std::string &pupil, ClassMessage::Read read, bool empty)
{
    using Kind = ClassTopics::Kind;
    if (Kind(kind) != Kind::PupilBoard && Kind(kind) != Kind::PupilLive)
        return Received::Ignored;
    if (empty) {
        const auto gone = std::remove_if(m_pupils.begin(), m_pupils.end(), [&pupil](const auto &p) { return p.first == pupil; });
        if (gone == m_pupils.end() || Kind(kind) != Kind::PupilBoard)
            return Received::Ignored;
        m_pupils.erase(gone, m_pupils.end());
        tell(Event::Pupils);
        return Received::Taken;
    }
    auto *board = std::get_if<ClassMessage::Board>(&read.message);
    auto *live = std::get_if<ClassMessage::Live>(&read.message);
    if ((Kind(kind) == Kind::PupilBoard && !board) || (Kind(kind) == Kind::PupilLive && !live))
        return Received::Dropped;
    if (board && board->name.empty())
        return Received::Dropped;
    FollowedBoard *followed = pupilBoard(pupil, board != nullptr);
    if (!followed)
        return Received::Ignored;
    if (board)
        followed->take(std::move(*board));
    else if (!followed->take(std::move(*live)))
        return Received::Ignored;
    tell(Event::Pupils);
    return Received::Taken;
}

} // namespace core
