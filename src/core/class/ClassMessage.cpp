#include "ClassMessage.h"

#include "ClassCode.h"
#include "PageTable.h"

#include <cmath>
#include <cstring>

namespace core {

namespace {

constexpr char kMagic[] = "TamC";
constexpr std::size_t kMagicBytes = sizeof(kMagic) - 1;
constexpr std::size_t kBodyLengthAt = kMagicBytes + 2 + 1 + 1;
constexpr std::size_t kHeaderBytes = kBodyLengthAt + 4;
constexpr std::size_t kPointBytes = 3 * 4;
// UTF-8 takes at most four bytes a character.
constexpr std::size_t kMaxNameBytes = std::size_t(ClassCode::kMaxNameChars) * 4;

enum class Kind : std::uint8_t { Lesson = 1, Board = 2, Live = 3 };

RecordBytes::Writer start(Kind kind)
{
    RecordBytes::Writer out;
    out.raw(reinterpret_cast<const std::uint8_t *>(kMagic), kMagicBytes);
    out.u8(ClassMessage::kVersion & 0xFF);
    out.u8(ClassMessage::kVersion >> 8);
    out.u8(unsigned(kind));
    out.u8(0);
    out.u32(0);
    return out;
}

std::optional<ClassMessage::Bytes> finish(RecordBytes::Writer &out)
{
    if (out.size() > ClassMessage::kMaxBytes)
        return std::nullopt;
    out.patchU32(kBodyLengthAt, std::uint32_t(out.size() - kHeaderBytes));
    return out.take();
}

bool usablePoint(const InkPoint &p)
{
    const auto within = [](float v, float most) { return std::isfinite(v) && std::fabs(v) <= most; };
    return within(p.x, InkFile::kMaxCoordinate) && within(p.y, InkFile::kMaxCoordinate) && std::isfinite(p.widthFactor) &&
           p.widthFactor > 0 && p.widthFactor <= InkFile::kMaxWidthFactor;
}

ClassMessage::LessonState readLesson(RecordBytes::Reader &in)
{
    ClassMessage::LessonState l;
    l.snapshot = LessonSnapshot::read(in);
    const unsigned free = in.u8();
    l.free = free == 1;
    l.clears = in.u32();
    if (free > 1)
        in.fail();
    return l;
}

ClassMessage::Board readBoard(RecordBytes::Reader &in, int pageCount, ClassMessage::Problem &problem)
{
    ClassMessage::Board b;
    b.name = in.text(kMaxNameBytes);
    if (in.ok() && !b.name.empty() && ClassCode::readName(b.name) != b.name)
        in.fail();
    b.snapshot = LessonSnapshot::read(in);
    const unsigned pages = in.u8();
    if (pages > unsigned(LessonSnapshot::kMaxPages))
        in.fail();
    for (unsigned p = 0; p < pages && in.ok(); ++p) {
        ClassMessage::PageLive page;
        page.begun = in.u32();
        const unsigned live = in.u8();
        if (live > unsigned(ClassMessage::kMaxLiveStrokes))
            in.fail();
        for (unsigned s = 0; s < live && in.ok(); ++s)
            page.live.push_back(in.u32());
        b.pages.push_back(std::move(page));
    }
    const std::uint32_t inkBytes = in.u32();
    const std::uint8_t *ink = in.skip(inkBytes);
    if (!in.ok())
        return b;
    InkFile::Pages ids = PageTable::inkPages();
    ids.ids.resize(std::min(ids.ids.size(), std::size_t(pageCount)));
    InkFile::Read read = InkFile::decode(ink, inkBytes, ids);
    if (read.problem != InkFile::Problem::None) {
        problem = read.problem == InkFile::Problem::NewerVersion ? ClassMessage::Problem::NewerVersion
                                                                 : ClassMessage::Problem::Damaged;
        return b;
    }
    b.ink = std::move(read.board);
    return b;
}

ClassMessage::Live readLive(RecordBytes::Reader &in, int pageCount)
{
    ClassMessage::Live l;
    l.page = int(in.u8());
    l.serial = in.u32();
    l.stroke.color = in.u32();
    l.stroke.width = in.f32();
    const std::uint32_t points = in.u32();
    if (l.page >= pageCount || !std::isfinite(l.stroke.width) || !(l.stroke.width > 0) ||
        l.stroke.width > InkFile::kMaxWidth || points == 0 || points > in.left() / kPointBytes) {
        in.fail();
        return l;
    }
    l.stroke.points.reserve(points);
    for (std::uint32_t i = 0; i < points && in.ok(); ++i) {
        InkPoint p;
        p.x = in.f32();
        p.y = in.f32();
        p.widthFactor = in.f32();
        if (!usablePoint(p))
            in.fail();
        l.stroke.points.push_back(p);
    }
    return l;
}

} // namespace

ClassMessage::Bytes ClassMessage::encode(const LessonState &lesson)
{
    RecordBytes::Writer out = start(Kind::Lesson);
    lesson.snapshot.write(out);
    out.u8(lesson.free);
    out.u32(lesson.clears);
    return *finish(out);
}

std::optional<ClassMessage::Bytes> ClassMessage::encode(const Board &board)
{
    // Each page's ink under its id, as a saved board has it.
    InkFile::PageIds ids = PageTable::ids();
    ids.resize(board.ink.size());
    const std::optional<InkFile::Bytes> ink = InkFile::encode(board.ink, ids);
    if (!ink || ink->size() > kMaxBytes)
        return std::nullopt;
    RecordBytes::Writer out = start(Kind::Board);
    out.text(board.name);
    board.snapshot.write(out);
    out.u8(unsigned(board.pages.size()));
    for (const PageLive &page : board.pages) {
        out.u32(page.begun);
        out.u8(unsigned(page.live.size()));
        for (std::uint32_t serial : page.live)
            out.u32(serial);
    }
    out.u32(std::uint32_t(ink->size()));
    out.raw(ink->data(), ink->size());
    return finish(out);
}

std::optional<ClassMessage::Bytes> ClassMessage::encode(const Live &live)
{
    if (live.stroke.points.size() > kMaxBytes / kPointBytes)
        return std::nullopt;
    RecordBytes::Writer out = start(Kind::Live);
    out.u8(unsigned(live.page));
    out.u32(live.serial);
    out.u32(live.stroke.color);
    out.f32(live.stroke.width);
    out.u32(std::uint32_t(live.stroke.points.size()));
    for (const InkPoint &p : live.stroke.points) {
        out.f32(p.x);
        out.f32(p.y);
        out.f32(p.widthFactor);
    }
    return finish(out);
}

ClassMessage::Read ClassMessage::decode(const std::uint8_t *data, std::size_t size, int pageCount)
{
    Read read;
    if (size == 0) {
        read.problem = Problem::Empty;
        return read;
    }
    if (size > kMaxBytes) {
        read.problem = Problem::TooLarge;
        return read;
    }
    RecordBytes::Reader in(data, size);
    const std::uint8_t *magic = in.skip(kMagicBytes);
    if (!magic || std::memcmp(magic, kMagic, kMagicBytes) != 0) {
        read.problem = Problem::NotOurs;
        return read;
    }
    const unsigned low = in.u8();
    const unsigned version = low | (in.u8() << 8);
    const unsigned kind = in.u8();
    const unsigned zero = in.u8();
    const std::uint32_t body = in.u32();
    if (!in.ok() || version == 0 || zero != 0 || body != in.left()) {
        read.problem = Problem::Damaged;
        return read;
    }
    // A lesson's pages are read by this version's rules alone: devices in one
    // class run one build.
    if (version != kVersion) {
        read.problem = version > kVersion ? Problem::NewerVersion : Problem::OlderVersion;
        return read;
    }
    Problem problem = Problem::None;
    switch (Kind(kind)) {
    case Kind::Lesson:
        read.message = readLesson(in);
        break;
    case Kind::Board:
        read.message = readBoard(in, pageCount, problem);
        break;
    case Kind::Live:
        read.message = readLive(in, pageCount);
        break;
    default:
        in.fail();
    }
    if (problem == Problem::None && !in.done())
        problem = Problem::Damaged;
    if (problem != Problem::None) {
        read.message = std::monostate();
        read.problem = problem;
    }
    return read;
}

} // namespace core
