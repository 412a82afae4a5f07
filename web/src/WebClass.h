#pragma once

#include <emscripten/val.h>

#include <cstdint>
#include <string>

namespace core {
class ClassRoom;
class Lesson;
}

// The class's room as the page's script sees it: bytes from the MQTT client
// go in as Uint8Arrays and out through a callback; codes, ids and nicknames
// are made and checked by the core. A pupil's board in the gallery is drawn
// from its lesson like any page, its ink as canvas pixels.
namespace WebClass {

void setSender(core::ClassRoom &room, emscripten::val send);
void listen(core::ClassRoom &room, emscripten::val listener);
// 0 taken, 1 ignored, 2 dropped; a payload past the room's limit is never copied whole.
int receive(core::ClassRoom &room, const std::string &topic, const emscripten::val &payload);
emscripten::val subscriptions(const core::ClassRoom &room);
int role(const core::ClassRoom &room);
std::string code(const core::ClassRoom &room);
std::string pupilId(const core::ClassRoom &room);
core::Lesson *teacherLesson(core::ClassRoom &room);
core::Lesson *pupilLesson(core::ClassRoom &room, int index);
std::string pupilName(core::ClassRoom &room, int index);
std::string pupilIdAt(const core::ClassRoom &room, int index);
// Whether a pupil's board changed since the gallery last drew it.
bool pupilNews(core::ClassRoom &room, int index);

// From two 32-bit random words, as crypto.getRandomValues gives them.
std::string makeCode(std::uint32_t high, std::uint32_t low);
std::string makePupilId(std::uint32_t high, std::uint32_t low);
// What was typed, as a code or a nickname; empty when it cannot be one.
std::string readCode(const std::string &typed);
std::string readName(const std::string &typed);

// How many finished strokes a lesson's page holds.
int strokeCount(const core::Lesson &lesson, int page);
// A page's ink drawn whole at this size, straight RGBA, for a gallery's picture.
emscripten::val boardInk(core::Lesson &lesson, int page, int width, int height);

} // namespace WebClass
