#pragma once

#include "InkStroke.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace core {

// The board's ink as bytes: every page's finished strokes in figure units, with
// their colours and widths (the line weight they were drawn at included), each
// page under its id.
//
// Little-endian throughout:
//   header   8 bytes of magic "\x89TamInk\n", u16 version, u16 page count,
//            u32 length of the body in bytes
//   body     per page: u8 length of its id, the id (ASCII letters, digits,
//            '-'), u32 strokes; per stroke: u32 colour (ARGB), f32 width,
//            u32 points, then per point f32 x, f32 y, f32 width factor
//   trailer  u32 CRC-32 (IEEE) of every byte before it
// Version 1 files are read too: their pages have no ids and stand in the
// order of the pages they were written with.
//
// The bytes come from outside: their size, counts, version and every number
// are checked before use, and nothing is allocated beyond what their length
// justifies. Bytes it accepts are exactly the ones it would write for the pages
// they hold.
class InkFile
{
public:
    static constexpr std::uint16_t kVersion = 2;
    static constexpr std::uint16_t kFirstVersion = 1;
    static constexpr std::size_t kMaxIdBytes = 32;
    static constexpr std::int64_t kMaxBytes = std::int64_t(64) << 20;
    // Far beyond any figure, in its units (radii, or pixels on the blank page).
    static constexpr float kMaxCoordinate = 1e6f;
    static constexpr float kMaxWidth = 1e4f;
    static constexpr float kMaxWidthFactor = 4;
    using Bytes = std::vector<std::uint8_t>;
    // One list of strokes a page, in page order.
    using Board = std::vector<std::vector<Stroke>>;
    using PageIds = std::vector<std::string>;
    // The pages a board holds, by id in board order, and the pages a
    // version 1 file held, by their place in it.
    struct Pages
    {
        PageIds ids;
        PageIds firstVersion;
    };

    enum class Problem { None, Missing, Unreadable, TooLarge, NotInkFile, NewerVersion, Damaged };
    // The pages asked for, in their order, then those of ids not asked for
    // (from a later program), named in `others`.
    struct Read
    {
        Board board;
        Problem problem = Problem::None;
        PageIds others;
    };

    // A file's size: these bytes for a board of no strokes, each stroke's
    // share, and so a whole board's.
    static std::int64_t emptyBoardBytes(const PageIds &ids);
    static std::int64_t bytesOf(const Stroke &stroke);
    static std::int64_t encodedSize(const Board &board, const PageIds &ids);
    // Nothing for a board too large to read back, or pages and ids that do
    // not pair up or could not be read back.
    static std::optional<Bytes> encode(const Board &board, const PageIds &ids);
    // A page the file does not hold comes back empty.
    static Read decode(const std::uint8_t *data, std::size_t size, const Pages &pages);
    static Read decode(const Bytes &bytes, const Pages &pages) { return decode(bytes.data(), bytes.size(), pages); }
    static bool usableId(const std::string &id);
    // The pages of a later program's in a file read with these ids: its
    // others, after the pages asked for, to be written again beside them.
    static std::pair<PageIds, Board> othersOf(Read read, std::size_t asked);

    // One line for the teacher, and one for the command line.
    static std::string message(Problem problem);
    static std::string englishMessage(Problem problem);
    // The pages of a later program, which are not shown here.
    static std::string othersMessage(const PageIds &others);
    static std::string englishOthersMessage(const PageIds &others);
};

} // namespace core
