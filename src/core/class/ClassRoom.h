#pragma once

#include "ClassMessage.h"
#include "FollowedBoard.h"
#include "LessonSnapshot.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace core {

class Lesson;

// The class on its own devices, without the network: what this device sends
// to the broker when its lesson changes, and what it makes of each message
// that arrives. The teacher's lesson goes to every pupil, who follows it
// unless let free; each pupil's board comes back to the teacher's gallery. A
// front-end moves the bytes between this and its MQTT client, and calls
// pump() from its clock so strokes being drawn go out as they grow.
class ClassRoom
{
public:
    enum class Role { None, Teacher, Pupil };
    enum class Event {
        State,   // the teacher's lesson arrived, or the pupils were let free or called back
        Teacher, // the teacher's ink on a pupil's screen
        Pupils,  // a pupil's board in the gallery came, changed or left
        Ended,   // the teacher ended the class
        TooLarge // this device's board no longer fits a message
    };
    enum class Received { Taken, Ignored, Dropped };
    struct Outgoing
    {
        std::string topic;
        ClassMessage::Bytes payload; // empty: the retained message goes
        bool retain = false;
        int qos = 0;
    };
    using Sender = std::function<void(const Outgoing &)>;
    using Listener = std::function<void(Event event)>;

    static constexpr int kMaxPupils = 64;
    // Growing strokes go out this often, a changed board at most this often.
    static constexpr double kLiveIntervalMs = 50;
    static constexpr double kBoardIntervalMs = 100;

    // The lesson knows its room from here on, so its commands can act on the class.
    explicit ClassRoom(Lesson &lesson);
    ~ClassRoom();
    ClassRoom(const ClassRoom &) = delete;
    ClassRoom &operator=(const ClassRoom &) = delete;

    void setSender(Sender sender) { m_send = std::move(sender); }
    void listen(Listener listener) { m_listeners.push_back(std::move(listener)); }

    Role role() const { return m_role; }
    const std::string &code() const { return m_code; }
    const std::string &pupilId() const { return m_pupil; }
    // Starts teaching a class of this code; false for a code that is none.
    bool teach(const std::string &code);
    // Joins as a pupil; false for a code, id or nickname that cannot be used.
    bool join(const std::string &code, const std::string &pupilId, const std::string &name);
    // Stops taking part; the lesson and this device's board stay as they are.
    void leave();
    // The topics to subscribe to in this role.
    std::vector<std::string> subscriptions() const;
    // After every connection: what the broker should hold from this device.
    void connected();

    // The teacher's: let pupils work on their own page and value, call them
    // back, clear every pupil's board, end the class.
    bool pupilsFree() const { return m_free; }
    void setPupilsFree(bool free);
    void clearPupilBoards();
    void end();

    // A pupil follows the teacher's lesson unless let free; its clock then
    // waits for the teacher's steps instead of running its own.
    bool following() const { return m_role == Role::Pupil && !m_free; }
    bool drivesClock() const { return !following(); }

    Received receive(const std::string &topic, const std::uint8_t *data, std::size_t size);
    // The front-end's clock, in milliseconds of any origin.
    void pump(double nowMs);
    int dropped() const { return m_dropped; }

    // The teacher's board on a pupil's screen, under the pupil's own ink.
    FollowedBoard &teacher() { return m_teacher; }
    // The teacher's gallery, in the order pupils came.
    int pupilCount() const { return int(m_pupils.size()); }
    FollowedBoard &pupil(int index) { return *m_pupils.at(std::size_t(index)).second; }
    const std::string &pupilIdAt(int index) const { return m_pupils.at(std::size_t(index)).first; }

private:
    void changed(Lesson::Change change);
    void tell(Event event) const;
    void send(std::string topic, ClassMessage::Bytes payload, bool retain, int qos) const;
    void sendLesson();
    void sendBoard();
    void sendLive(double nowMs);
    void follow();
    Received takeAsPupil(int kind, ClassMessage::Read read, bool empty);
    Received takeAsTeacher(int kind, const std::string &pupil, ClassMessage::Read read, bool empty);
    // A board names its pupil, so only a board adds one to the gallery.
    FollowedBoard *pupilBoard(const std::string &id, bool add);

    Lesson &m_lesson;
    Sender m_send;
    std::vector<Listener> m_listeners;
    Role m_role = Role::None;
    std::string m_code;
    std::string m_pupil;
    std::string m_name;
    bool m_free = false;
    std::uint32_t m_clears = 0;
    std::optional<std::uint32_t> m_clearsSeen;
    std::optional<LessonSnapshot> m_sentSnapshot;
    std::optional<LessonSnapshot> m_teacherSnapshot;
    bool m_applying = false;
    bool m_boardDue = false;
    double m_boardSentAt = -1e300;
    double m_liveSentAt = -1e300;
    // Per page: the newest stroke seen growing, and how many points of each went out.
    std::vector<std::uint32_t> m_begun;
    std::map<std::pair<int, std::uint64_t>, std::size_t> m_liveSent;
    FollowedBoard m_teacher;
    std::vector<std::pair<std::string, std::unique_ptr<FollowedBoard>>> m_pupils;
    int m_dropped = 0;
};

} // namespace core
