#include "WebBoard.h"

#include "InkFile.h"
#include "Lesson.h"

#include <emscripten/val.h>

#include <algorithm>

namespace WebBoard {

emscripten::val save(const core::Lesson &lesson)
{
    const std::optional<core::InkFile::Bytes> bytes = core::InkFile::encode(lesson.board(), core::PageTable::ids());
    if (!bytes)
        return emscripten::val::null();
    const emscripten::val view(emscripten::typed_memory_view(bytes->size(), bytes->data()));
    return view.call<emscripten::val>("slice");
}

std::string restore(core::Lesson &lesson, const emscripten::val &bytes)
{
    using Problem = core::InkFile::Problem;
    if (bytes.isNull() || bytes.isUndefined())
        return core::InkFile::message(Problem::Missing);
    if (!bytes.instanceof(emscripten::val::global("Uint8Array")))
        return core::InkFile::message(Problem::Unreadable);
    // The length is checked before anything is copied in.
    if (bytes["length"].as<double>() > double(core::InkFile::kMaxBytes))
        return core::InkFile::message(Problem::TooLarge);
    const core::InkFile::Bytes copy = emscripten::convertJSArrayToNumberVector<std::uint8_t>(bytes);
    core::InkFile::Read read = core::InkFile::decode(copy, core::PageTable::inkPages());
    // A saved board with nothing on it brings nothing back, as when none was saved.
    const bool empty = std::all_of(read.board.begin(), read.board.end(), [](const auto &page) { return page.empty(); });
    if (read.problem == Problem::None && empty)
        read.problem = Problem::Missing;
    if (read.problem != Problem::None)
        return core::InkFile::message(read.problem);
    lesson.restoreBoard(std::move(read.board));
    return core::InkFile::othersMessage(read.others);
}

void readChoices(core::Lesson &lesson, const emscripten::val &lookup)
{
    const auto stored = [&lookup](const std::string &key) -> std::optional<std::string> {
        const emscripten::val value = lookup(key);
        if (!value.isString())
            return std::nullopt;
        return value.as<std::string>();
    };
    lesson.restoreChoices(core::StoredChoices::read(stored, lesson.pageCount()));
}

emscripten::val writeChoices(const core::Lesson &lesson)
{
    emscripten::val out = emscripten::val::array();
    for (const auto &[key, value] : core::StoredChoices::write(lesson.choices())) {
        emscripten::val pair = emscripten::val::array();
        pair.call<void>("push", key);
        pair.call<void>("push", value);
        out.call<void>("push", pair);
    }
    return out;
}

} // namespace WebBoard
