#pragma once

#include "InkFile.h"
#include "LessonSnapshot.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace core {

// The messages of a class, as bytes on the broker:
//
//   header  4 bytes "TamC", u16 version, u8 kind, u8 0, u32 length of the body
//   Lesson  the teacher's LessonSnapshot, u8 pupils free, u32 clear count
//   Board   text name (u32 length, UTF-8), LessonSnapshot, u8 pages, per page
//           u32 strokes begun and u8 count, u32 serial per stroke still being
//           drawn; then text of InkFile bytes (every page's finished strokes)
//   Live    u8 page, u32 serial, u32 colour, f32 width, u32 points, per point
//           f32 x, f32 y, f32 width factor: a stroke still being drawn, whole
//
// Little-endian. The bytes come from anyone on the broker: every size, count,
// version and number is checked before use, nothing is allocated beyond what
// the message's length justifies, and a message past kMaxBytes is refused
// before it is read.
class ClassMessage
{
public:
    static constexpr std::uint16_t kVersion = 2;
    // The broker refuses larger ones too (message_size_limit).
    static constexpr std::size_t kMaxBytes = std::size_t(4) << 20;
    // Far more than a hand draws at once.
    static constexpr int kMaxLiveStrokes = 16;
    using Bytes = RecordBytes::Bytes;

    struct PageLive
    {
        std::uint32_t begun = 0;
        std::vector<std::uint32_t> live;
        bool operator==(const PageLive &) const = default;
    };
    struct LessonState
    {
        LessonSnapshot snapshot;
        bool free = false;
        std::uint32_t clears = 0;
    };
    struct Board
    {
        std::string name;
        LessonSnapshot snapshot;
        std::vector<PageLive> pages;
        InkFile::Board ink;
    };
    struct Live
    {
        int page = 0;
        std::uint32_t serial = 0;
        Stroke stroke;
    };

    enum class Problem { None, Empty, TooLarge, NotOurs, NewerVersion, OlderVersion, Damaged };
    struct Read
    {
        std::variant<std::monostate, LessonState, Board, Live> message;
        Problem problem = Problem::None;
    };

    static Bytes encode(const LessonState &lesson);
    // Nothing when the board will not fit a message.
    static std::optional<Bytes> encode(const Board &board);
    static std::optional<Bytes> encode(const Live &live);
    // A board's ink holds `pageCount` pages, as InkFile reads them.
    static Read decode(const std::uint8_t *data, std::size_t size, int pageCount);
    static Read decode(const Bytes &bytes, int pageCount) { return decode(bytes.data(), bytes.size(), pageCount); }
};

} // namespace core
