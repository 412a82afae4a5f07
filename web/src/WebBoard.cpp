#include "WebBoard.h"

#include "InkFile.h"
#include "KeptBoards.h"
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

namespace {

core::InkFile::Read read(const emscripten::val &bytes, int pageCount)
{
    using Problem = core::InkFile::Problem;
    if (bytes.isNull() || bytes.isUndefined())
        return {{}, Problem::Missing};
    if (!bytes.instanceof(emscripten::val::global("Uint8Array")))
        return {{}, Problem::Unreadable};
    // The length is checked before anything is copied in.
    if (bytes["length"].as<double>() > double(core::InkFile::kMaxBytes))
        return {{}, Problem::TooLarge};
    const core::InkFile::Bytes copy = emscripten::convertJSArrayToNumberVector<std::uint8_t>(bytes);
    core::InkFile::Pages pages = core::PageTable::inkPages();
    pages.ids.resize(std::size_t(std::clamp(pageCount, 0, int(pages.ids.size()))));
    return core::InkFile::decode(copy, pages);
}

} // namespace

emscripten::val inspect(const emscripten::val &bytes, int pageCount)
{
    const core::InkFile::Read board = read(bytes, pageCount);
    emscripten::val out = emscripten::val::object();
    out.set("hasInk", board.problem == core::InkFile::Problem::None && core::KeptBoards::hasInk(board.board));
    out.set("problem", core::InkFile::message(board.problem));
    return out;
}

std::string restore(core::Lesson &lesson, const emscripten::val &bytes)
{
    core::InkFile::Read read = WebBoard::read(bytes, lesson.pageCount());
    core::Lesson::PreparedBoard board;
    for (std::vector<core::Stroke> &page : read.board)
        board.push_back(core::InkLayer::prepare(std::move(page)));
    std::string refusal = core::KeptBoards::refusal(lesson, read.problem, board);
    if (!refusal.empty())
        return refusal;
    lesson.restoreBoard(std::move(board));
    return core::InkFile::othersMessage(read.others);
}

namespace {

std::optional<core::KeptBoards::Board> boardOf(const emscripten::val &b)
{
    const auto number = [&b](const char *key) { return b[key].isNumber() ? b[key].as<double>() : -1.0; };
    const bool object = !b.isNull() && b.typeOf().as<std::string>() == "object";
    const bool flagged = object && (b["hasInk"].isTrue() || b["hasInk"].isFalse());
    if (!flagged || !b["id"].isString())
        return std::nullopt;
    const double savedAt = number("savedAt"), bytes = number("bytes");
    // Beyond these a double no longer converts exactly; plausible() bounds them far below.
    constexpr double kExact = 9007199254740991.0;
    if (!(savedAt >= 0 && savedAt <= kExact && bytes >= 0 && bytes <= kExact))
        return std::nullopt;
    core::KeptBoards::Board board{b["id"].as<std::string>(), std::int64_t(savedAt), std::int64_t(bytes),
                                  b["hasInk"].as<bool>(), b["thisVisit"].isTrue()};
    if (!core::KeptBoards::plausible(board))
        return std::nullopt;
    return board;
}

std::vector<core::KeptBoards::Board> boardsOf(const emscripten::val &list)
{
    std::vector<core::KeptBoards::Board> boards;
    const int count = list.isArray() ? list["length"].as<int>() : 0;
    for (int i = 0; i < count && i < kMaxListed; ++i)
        if (std::optional<core::KeptBoards::Board> board = boardOf(list[i]))
            boards.push_back(std::move(*board));
    return boards;
}

emscripten::val idsOf(const std::vector<std::string> &ids)
{
    emscripten::val out = emscripten::val::array();
    for (const std::string &id : ids)
        out.call<void>("push", id);
    return out;
}

} // namespace

bool plausible(const emscripten::val &board) { return boardOf(board).has_value(); }

emscripten::val toDrop(const emscripten::val &boards) { return idsOf(core::KeptBoards::toDrop(boardsOf(boards))); }

emscripten::val offers(const emscripten::val &boards)
{
    std::vector<std::string> ids;
    for (const core::KeptBoards::Board &board : core::KeptBoards::offers(boardsOf(boards)))
        ids.push_back(board.id);
    return idsOf(ids);
}

emscripten::val thumbnailSize(int width, int height)
{
    const core::Size size = core::KeptBoards::thumbnailSize(core::Size(width, height));
    emscripten::val out = emscripten::val::array();
    out.call<void>("push", size.width());
    out.call<void>("push", size.height());
    return out;
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
