#include "InkFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <bit>
#include <cmath>
#include <cstring>

namespace {

constexpr char kMagic[] = "\x89TamInk\n";
constexpr qsizetype kMagicBytes = sizeof(kMagic) - 1;
constexpr qsizetype kHeaderBytes = kMagicBytes + 2 + 2 + 4;
constexpr qsizetype kTrailerBytes = 4;
constexpr qsizetype kStrokeBytes = 4 + 4 + 4;
constexpr qsizetype kPointBytes = 3 * 4;
constexpr qsizetype kPageBytes = 4;
constexpr std::uint32_t kCrcPolynomial = 0xEDB88320u;

std::uint32_t crc32(const char *data, qsizetype size)
{
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < t.size(); ++i) {
            std::uint32_t c = i;
            for (int bit = 0; bit < 8; ++bit)
                c = (c & 1) ? kCrcPolynomial ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t c = ~0u;
    for (qsizetype i = 0; i < size; ++i)
        c = table[(c ^ std::uint8_t(data[i])) & 0xFFu] ^ (c >> 8);
    return ~c;
}

class Writer
{
public:
    explicit Writer(qsizetype size) : m_bytes(size, Qt::Uninitialized), m_at(m_bytes.data()) {}
    template <typename T>
    void put(T value)
    {
        qToLittleEndian(value, m_at);
        m_at += sizeof(T);
    }
    void put(float value) { put(std::bit_cast<std::uint32_t>(value)); }
    void putRaw(const char *data, qsizetype size)
    {
        std::memcpy(m_at, data, std::size_t(size));
        m_at += size;
    }
    QByteArray &bytes() { return m_bytes; }

private:
    QByteArray m_bytes;
    char *m_at;
};

// Takes values off the front of the bytes; once it runs short, everything it gives is 0.
class Reader
{
public:
    Reader(const char *data, qsizetype size) : m_at(data), m_left(size) {}
    template <typename T>
    T take()
    {
        if (m_left < qsizetype(sizeof(T))) {
            m_short = true;
            return T{};
        }
        const T value = qFromLittleEndian<T>(m_at);
        m_at += sizeof(T);
        m_left -= sizeof(T);
        return value;
    }
    float takeFloat() { return std::bit_cast<float>(take<std::uint32_t>()); }
    qsizetype left() const { return m_left; }
    bool ranShort() const { return m_short; }

private:
    const char *m_at;
    qsizetype m_left;
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

InkFile::Read refused(InkFile::Problem problem) { return {{}, problem}; }

} // namespace

std::optional<QByteArray> InkFile::encode(const Board &board)
{
    qint64 body = 0;
    for (const std::vector<Stroke> &page : board) {
        body += kPageBytes;
        for (const Stroke &stroke : page)
            body += kStrokeBytes + qint64(stroke.points.size()) * kPointBytes;
    }
    const qint64 total = kHeaderBytes + body + kTrailerBytes;
    if (total > kMaxBytes)
        return std::nullopt;

    Writer out{qsizetype(total)};
    out.putRaw(kMagic, kMagicBytes);
    out.put(kVersion);
    out.put(quint16(kPageCount));
    out.put(std::uint32_t(body));
    for (const std::vector<Stroke> &page : board) {
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
    out.put(crc32(out.bytes().constData(), qsizetype(total) - kTrailerBytes));
    return std::move(out.bytes());
}

InkFile::Read InkFile::decode(const QByteArray &bytes)
{
    if (bytes.size() < kMagicBytes || std::memcmp(bytes.constData(), kMagic, kMagicBytes) != 0)
        return refused(Problem::NotInkFile);
    if (bytes.size() > kMaxBytes)
        return refused(Problem::TooLarge);
    Reader header(bytes.constData() + kMagicBytes, bytes.size() - kMagicBytes);
    const quint16 version = header.take<quint16>();
    const quint16 pages = header.take<quint16>();
    const std::uint32_t body = header.take<std::uint32_t>();
    if (header.ranShort())
        return refused(Problem::Damaged);
    // A later version may lay out everything after its number differently.
    if (version > kVersion)
        return refused(Problem::NewerVersion);
    if (version != kVersion || pages != kPageCount || qint64(body) != bytes.size() - kHeaderBytes - kTrailerBytes)
        return refused(Problem::Damaged);
    const qsizetype checked = bytes.size() - kTrailerBytes;
    if (qFromLittleEndian<std::uint32_t>(bytes.constData() + checked) != crc32(bytes.constData(), checked))
        return refused(Problem::Damaged);

    Read read;
    Reader in(bytes.constData() + kHeaderBytes, qsizetype(body));
    for (std::vector<Stroke> &page : read.board)
        if (!readPage(in, page))
            return refused(Problem::Damaged);
    if (in.left() != 0)
        return refused(Problem::Damaged);
    return read;
}

InkFile::Read InkFile::load(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return refused(Problem::Missing);
    // A pipe or a device could block or never end.
    if (!info.isFile())
        return refused(Problem::Unreadable);
    if (info.size() > kMaxBytes)
        return refused(Problem::TooLarge);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(Problem::Unreadable);
    const QByteArray bytes = file.read(kMaxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return refused(Problem::Unreadable);
    return decode(bytes);
}

std::optional<QString> InkFile::save(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return file.errorString();
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

QString InkFile::message(Problem problem)
{
    switch (problem) {
    case Problem::None:
        return {};
    case Problem::Missing:
        return QStringLiteral("前回の書き込みは保存されていません。");
    case Problem::Unreadable:
        return QStringLiteral("前回の書き込みのファイルを読めません。");
    case Problem::TooLarge:
        return QStringLiteral("前回の書き込みのファイルが大きすぎるため、読み込みません。");
    case Problem::NotInkFile:
        return QStringLiteral("前回の書き込みのファイルではありません（別の形式のファイルです）。");
    case Problem::NewerVersion:
        return QStringLiteral("前回の書き込みは新しい版の Tamsel で保存されたため、この版では読めません。");
    case Problem::Damaged:
        return QStringLiteral("前回の書き込みのファイルが壊れているため、復元できません。");
    }
    return {};
}

QString InkFile::englishMessage(Problem problem)
{
    switch (problem) {
    case Problem::None:
        return {};
    case Problem::Missing:
        return QStringLiteral("no ink has been saved");
    case Problem::Unreadable:
        return QStringLiteral("the saved ink cannot be read");
    case Problem::TooLarge:
        return QStringLiteral("the saved ink file is larger than %1 MiB; it is not read").arg(kMaxBytes >> 20);
    case Problem::NotInkFile:
        return QStringLiteral("the saved ink file is not a Tamsel ink file");
    case Problem::NewerVersion:
        return QStringLiteral("the saved ink was written by a newer Tamsel and cannot be read by this one");
    case Problem::Damaged:
        return QStringLiteral("the saved ink file is damaged; nothing was restored");
    }
    return {};
}
