#include "WebClass.h"

#include "ClassCode.h"
#include "ClassRoom.h"
#include "PageRenderer.h"
#include "StraightRgba.h"

#include <emscripten/val.h>

#include <vector>

using emscripten::val;

namespace WebClass {

namespace {

constexpr int kBitsPerWord = 32;

val bytesOf(const std::vector<std::uint8_t> &bytes)
{
    return val(emscripten::typed_memory_view(bytes.size(), bytes.data())).call<val>("slice");
}

std::uint64_t joined(std::uint32_t high, std::uint32_t low) { return (std::uint64_t(high) << kBitsPerWord) | low; }

} // namespace

void setSender(core::ClassRoom &room, val send)
{
    room.setSender([send](const core::ClassRoom::Outgoing &m) { send(m.topic, bytesOf(m.payload), m.retain, m.qos); });
}

void listen(core::ClassRoom &room, val listener)
{
    room.listen([listener](core::ClassRoom::Event event) { listener(int(event)); });
}

int receive(core::ClassRoom &room, const std::string &topic, const val &payload)
{
    if (!payload.instanceof(val::global("Uint8Array")))
        return int(core::ClassRoom::Received::Dropped);
    // One byte past the limit is enough for the room to refuse it.
    const double length = payload["length"].as<double>();
    const val kept = length > double(core::ClassMessage::kMaxBytes)
                         ? payload.call<val>("subarray", 0, double(core::ClassMessage::kMaxBytes) + 1)
                         : payload;
    const std::vector<std::uint8_t> bytes = emscripten::convertJSArrayToNumberVector<std::uint8_t>(kept);
    return int(room.receive(topic, bytes.data(), bytes.size()));
}

val subscriptions(const core::ClassRoom &room)
{
    val out = val::array();
    for (const std::string &topic : room.subscriptions())
        out.call<void>("push", topic);
    return out;
}

int role(const core::ClassRoom &room) { return int(room.role()); }
std::string code(const core::ClassRoom &room) { return room.code(); }
std::string pupilId(const core::ClassRoom &room) { return room.pupilId(); }
core::Lesson *teacherLesson(core::ClassRoom &room) { return &room.teacher().lesson(); }

core::Lesson *pupilLesson(core::ClassRoom &room, int index)
{
    return index >= 0 && index < room.pupilCount() ? &room.pupil(index).lesson() : nullptr;
}

std::string pupilName(core::ClassRoom &room, int index)
{
    return index >= 0 && index < room.pupilCount() ? room.pupil(index).name() : std::string();
}

std::string pupilIdAt(const core::ClassRoom &room, int index)
{
    return index >= 0 && index < room.pupilCount() ? room.pupilIdAt(index) : std::string();
}

bool pupilNews(core::ClassRoom &room, int index)
{
    return index >= 0 && index < room.pupilCount() && room.pupil(index).takeNews();
}

std::string makeCode(std::uint32_t high, std::uint32_t low) { return core::ClassCode::make(joined(high, low)); }
std::string makePupilId(std::uint32_t high, std::uint32_t low) { return core::ClassCode::makePupilId(joined(high, low)); }
std::string readCode(const std::string &typed) { return core::ClassCode::read(typed).value_or(std::string()); }
std::string readName(const std::string &typed) { return core::ClassCode::readName(typed).value_or(std::string()); }

int strokeCount(const core::Lesson &lesson, int page) { return int(lesson.ink(page).strokes().size()); }

val boardInk(core::Lesson &lesson, int page, int width, int height)
{
    lesson.ink().resize(page, core::Size(width, height), 1);
    lesson.ink().place(page, core::Rect(0, 0, width, height));
    static std::vector<std::uint32_t> rgba;
    const std::size_t count = StraightRgba::convert(lesson.ink().canvas(page).image(), core::Rect(0, 0, width, height), rgba);
    return val(emscripten::typed_memory_view(count * sizeof(std::uint32_t), reinterpret_cast<const std::uint8_t *>(rgba.data())))
        .call<val>("slice");
}

} // namespace WebClass
