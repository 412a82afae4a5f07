#pragma once

#include <string>

namespace core {

// Where a class's messages go on the broker. The broker's access rules name
// the same levels (tamsel/<class>/…, a pupil's own under pupil/<its id>/).
namespace ClassTopics {

enum class Kind { None, Lesson, Ink, Live, PupilBoard, PupilLive };

// The teacher's lesson (retained), finished ink (retained) and strokes being drawn.
std::string lesson(const std::string &code);
std::string ink(const std::string &code);
std::string live(const std::string &code);
// A pupil's board (retained) and strokes being drawn.
std::string pupilBoard(const std::string &code, const std::string &pupil);
std::string pupilLive(const std::string &code, const std::string &pupil);
// What the teacher subscribes to: every pupil's board and strokes.
std::string everyPupil(const std::string &code);

struct Parsed
{
    Kind kind = Kind::None;
    std::string pupil;
};
// What a topic of this class is; Kind::None for any other topic.
Parsed parse(const std::string &topic, const std::string &code);

} // namespace ClassTopics

} // namespace core
