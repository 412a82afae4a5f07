#include "InkFile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace core {

namespace {

constexpr char kMagic[] = "\x89TamInk\n";
constexpr std::size_t kMagicBytes = sizeof(kMagic) - 1;
constexpr std::size_t kHeaderBytes = kMagicBytes + 2 + 2 + 4;
constexpr std::size_t kTrailerBytes = 4;
constexpr std::size_t kStrokeBytes = 4 + 4 + 4;
constexpr std::size_t kPointBytes = 3 * 4;
constexpr std::size_t kPageBytes = 4;
constexpr std::size_t kIdLengthBytes = 1;
constexpr std::uint32_t kCrcPolynomial = 0xEDB88320u;
constexpr int kBitsPerByte = 8;

std::uint32_t crc32(const std::uint8_t *data, std::size_t size)
{
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < t.size(); ++i) {
            std::uint32_t c = i;
            for (int bit = 0; bit < kBitsPerByte; ++bit)
                c = (c & 1) ? kCrcPolynomial ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t c = ~0u;
    for (std::size_t i = 0; i < size; ++i)
        c = table[(c ^ data[i]) & 0xFFu] ^ (c >> kBitsPerByte);
    return ~c;
}

template <typename T>
T littleEndian(const std::uint8_t *at)
{
    T value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        value = T(value | T(T(at[i]) << (kBitsPerByte * i)));
    return value;
}

float floatFromBits(std::uint32_t bits)
{
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

std::uint32_t bitsOfFloat(float f)
{
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

class Writer
{
public:
    explicit Writer(std::size_t size) : m_bytes(size) {}
    template <typename T>
    void put(T value)
    {
        for (std::size_t i = 0; i < sizeof(T); ++i)
            m_bytes[m_at++] = std::uint8_t(value >> (kBitsPerByte * i));
    }
    void put(float value) { put(bitsOfFloat(value)); }
    void putRaw(const char *data, std::size_t size)
    {
        std::memcpy(m_bytes.data() + m_at, data, size);
        m_at += size;
    }
    InkFile::Bytes &bytes() { return m_bytes; }

private:
    InkFile::Bytes m_bytes;
    std::size_t m_at = 0;
};

// Takes values off the front of the bytes; once it runs short, everything it gives is 0.
class Reader
{
public:
    Reader(const std::uint8_t *data, std::size_t size) : m_at(data), m_left(size) {}
    template <typename T>
    T take()
    {
        if (m_left < sizeof(T)) {
            m_short = true;
            return T{};
        }
        const T value = littleEndian<T>(m_at);
        m_at += sizeof(T);
        m_left -= sizeof(T);
        return value;
    }
    float takeFloat() { return floatFromBits(take<std::uint32_t>()); }
    std::size_t left() const { return m_left; }
    bool ranShort() const { return m_short; }

private:
    const std::uint8_t *m_at;
    std::size_t m_left;
    bool m_short = false;
};

bool within(float v, float low, float high) { return std::isfinite(v) && v >= low && v <= high; }

bool usablePoint(const InkPoint &p)
{
    return within(p.x, -InkFile::kMaxCoordinate, InkFile::kMaxCoordinate) &&
           within(p.y, -InkFile::kMaxCoordinate, InkFile::kMaxCoordinate) &&
           within(p.widthFactor, 0, InkFile::kMaxWidthFactor) && p.widthFactor > 0;
}

// Counts are believed only as far as the bytes left can hold them.
bool readPage(Reader &in, std::vector<Stroke> &strokes)
{
    const std::uint32_t count = in.take<std::uint32_t>();
    if (in.ranShort() || count > std::uint64_t(in.left() / (kStrokeBytes + kPointBytes)))
        return false;
    strokes.resize(count);
    for (Stroke &stroke : strokes) {
        stroke.color = in.take<std::uint32_t>();
        stroke.width = in.takeFloat();
        const std::uint32_t points = in.take<std::uint32_t>();
        if (in.ranShort() || points == 0 || points > std::uint64_t(in.left() / kPointBytes) ||
            !within(stroke.width, 0, InkFile::kMaxWidth) || !(stroke.width > 0))
            return false;
        stroke.points.resize(points);
        for (InkPoint &p : stroke.points) {
            p.x = in.takeFloat();
            p.y = in.takeFloat();
            p.widthFactor = in.takeFloat();
            if (!usablePoint(p))
                return false;
        }
    }
    return !in.ranShort();
}

InkFile::Read refused(InkFile::Problem problem, std::size_t pages) { return {InkFile::Board(pages), problem, {}}; }

std::string joined(const InkFile::PageIds &ids)
{
    std::string out;
    for (const std::string &id : ids)
        out += (out.empty() ? "" : ", ") + id;
    return out;
}

} // namespace

bool InkFile::usableId(const std::string &id)
{
    return !id.empty() && id.size() <= kMaxIdBytes && std::all_of(id.begin(), id.end(), [](char c) {
               return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
           });
}

std::pair<InkFile::PageIds, InkFile::Board> InkFile::othersOf(Read read, std::size_t asked)
{
    if (read.problem != Problem::None || read.board.size() != asked + read.others.size())
        return {};
    return {std::move(read.others), Board(std::make_move_iterator(read.board.begin() + std::ptrdiff_t(asked)),
                                          std::make_move_iterator(read.board.end()))};
}

std::int64_t InkFile::emptyBoardBytes(const PageIds &ids)
{
    std::int64_t total = std::int64_t(kHeaderBytes + kTrailerBytes);
    for (const std::string &id : ids)
        total += std::int64_t(kIdLengthBytes + id.size() + kPageBytes);
    return total;
}

std::int64_t InkFile::bytesOf(const Stroke &stroke)
{
    return std::int64_t(kStrokeBytes) + std::int64_t(stroke.points.size()) * std::int64_t(kPointBytes);
}

std::int64_t InkFile::encodedSize(const Board &board, const PageIds &ids)
{
    std::int64_t total = emptyBoardBytes(ids);
    for (const std::vector<Stroke> &page : board)
        for (const Stroke &stroke : page)
            total += bytesOf(stroke);
    return total;
}

std::optional<InkFile::Bytes> InkFile::encode(const Board &board, const PageIds &ids)
{
    if (ids.size() != board.size() || !std::all_of(ids.begin(), ids.end(), usableId))
        return std::nullopt;
    const std::int64_t total = encodedSize(board, ids);
    if (total > kMaxBytes)
        return std::nullopt;
    const std::int64_t body = total - std::int64_t(kHeaderBytes + kTrailerBytes);

    Writer out{std::size_t(total)};
    out.putRaw(kMagic, kMagicBytes);
    out.put(kVersion);
    out.put(std::uint16_t(board.size()));
    out.put(std::uint32_t(body));
    for (std::size_t p = 0; p < board.size(); ++p) {
        const std::vector<Stroke> &page = board[p];
        out.put(std::uint8_t(ids[p].size()));
        out.putRaw(ids[p].data(), ids[p].size());
        out.put(std::uint32_t(page.size()));
        for (const Stroke &stroke : page) {
            out.put(std::uint32_t(stroke.color));
            out.put(stroke.width);
            out.put(std::uint32_t(stroke.points.size()));
            for (const InkPoint &p : stroke.points) {
                out.put(p.x);
                out.put(p.y);
                out.put(p.widthFactor);
            }
        }
    }
    out.put(crc32(out.bytes().data(), std::size_t(total) - kTrailerBytes));
    return std::move(out.bytes());
}

InkFile::Read InkFile::decode(const std::uint8_t *data, std::size_t size, const Pages &pages)
{
    const std::size_t asked = pages.ids.size();
    if (size < kMagicBytes || std::memcmp(data, kMagic, kMagicBytes) != 0)
        return refused(Problem::NotInkFile, asked);
    if (std::int64_t(size) > kMaxBytes)
        return refused(Problem::TooLarge, asked);
    Reader header(data + kMagicBytes, size - kMagicBytes);
    const std::uint16_t version = header.take<std::uint16_t>();
    const std::uint16_t count = header.take<std::uint16_t>();
    const std::uint32_t body = header.take<std::uint32_t>();
    if (header.ranShort())
        return refused(Problem::Damaged, asked);
    // A later version may lay out everything after its number differently; a
    // first version's file of more pages than it had came from a later program.
    if (version > kVersion || (version == kFirstVersion && count > pages.firstVersion.size()))
        return refused(Problem::NewerVersion, asked);
    if (version < kFirstVersion || count == 0 || std::uint64_t(body) + kHeaderBytes + kTrailerBytes != size)
        return refused(Problem::Damaged, asked);
    const std::size_t checked = size - kTrailerBytes;
    if (littleEndian<std::uint32_t>(data + checked) != crc32(data, checked))
        return refused(Problem::Damaged, asked);

    Read read;
    read.board.resize(asked);
    PageIds seen;
    Reader in(data + kHeaderBytes, body);
    for (std::size_t page = 0; page < count; ++page) {
        std::string id;
        if (version == kFirstVersion) {
            id = pages.firstVersion[page];
        } else {
            const std::size_t length = in.take<std::uint8_t>();
            if (in.ranShort() || length > in.left())
                return refused(Problem::Damaged, asked);
            for (std::size_t i = 0; i < length; ++i)
                id += char(in.take<std::uint8_t>());
            if (!usableId(id) || std::find(seen.begin(), seen.end(), id) != seen.end())
                return refused(Problem::Damaged, asked);
            seen.push_back(id);
        }
        const auto known = std::find(pages.ids.begin(), pages.ids.end(), id);
        std::vector<Stroke> *strokes = nullptr;
        if (known != pages.ids.end()) {
            strokes = &read.board[std::size_t(known - pages.ids.begin())];
        } else {
            read.others.push_back(id);
            strokes = &read.board.emplace_back();
        }
        if (!readPage(in, *strokes))
            return refused(Problem::Damaged, asked);
    }
    if (in.left() != 0)
        return refused(Problem::Damaged, asked);
    return read;
}

std::string InkFile::message(Problem problem)
{
    switch (problem) {
    case Problem::None:
        return {};
    case Problem::Missing:
        return "前回の書き込みは保存されていません。";
    case Problem::Unreadable:
        return "前回の書き込みのファイルを読めません。";
    case Problem::TooLarge:
        return "前回の書き込みのファイルが大きすぎるため、読み込みません。";
    case Problem::NotInkFile:
        return "前回の書き込みのファイルではありません（別の形式のファイルです）。";
    case Problem::NewerVersion:
        return "前回の書き込みは新しい版の Tamsel で保存されたため、この版では読めません。";
    case Problem::Damaged:
        return "前回の書き込みのファイルが壊れているため、復元できません。";
    }
    return {};
}

std::string InkFile::othersMessage(const PageIds &others)
{
    if (others.empty())
        return {};
    return "前回の書き込みのうち、この版にないページ（" + joined(others) + "）の分は表示できません。";
}

std::string InkFile::englishOthersMessage(const PageIds &others)
{
    if (others.empty())
        return {};
    return "the saved ink holds pages this Tamsel does not have (" + joined(others) + "); they are not shown";
}

std::string InkFile::englishMessage(Problem problem)
{
    switch (problem) {
    case Problem::None:
        return {};
    case Problem::Missing:
        return "no ink has been saved";
    case Problem::Unreadable:
        return "the saved ink cannot be read";
    case Problem::TooLarge:
        return "the saved ink file is larger than " + std::to_string(kMaxBytes >> 20) + " MiB; it is not read";
    case Problem::NotInkFile:
        return "the saved ink file is not a Tamsel ink file";
    case Problem::NewerVersion:
        return "the saved ink was written by a newer Tamsel and cannot be read by this one";
    case Problem::Damaged:
        return "the saved ink file is damaged; nothing was restored";
    }
    return {};
}

} // namespace core
