#include "InkAutosave.h"
#include "InkFile.h"
#include "InkStore.h"
#include "PageTable.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <sys/stat.h>

#include <bit>
#include <cmath>
#include <random>

using namespace core;

Q_DECLARE_METATYPE(InkFile::Problem)

// The saved board is the program's first input from outside. Byte offsets
// below are worked out from the layout written in InkFile.h for the sample
// board: one stroke of two points on page 0, the other pages empty.
class TestInkFile : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void refused_data();
    void refused();
    void pagesFoundByIdOrPlace_data();
    void pagesFoundByIdOrPlace();
    void unusualFiles_data();
    void unusualFiles();
    void lastRunIsKeptAside();
    void laterProgramsPagesAreKept();
    void lastRunIsKeptWhereItCannotBeSetAside();
    void newestBoardIsOfferedWhateverItsName();
    void noRunWritesOverAnEarlierBoard();
    void autosaveWritesSoonAndOnce();
    void mutatedFilesNeverHarm();
};

namespace core {
// Bit for bit, so -0 and 0 differ.
bool operator==(const InkPoint &a, const InkPoint &b)
{
    return std::bit_cast<quint32>(a.x) == std::bit_cast<quint32>(b.x) &&
           std::bit_cast<quint32>(a.y) == std::bit_cast<quint32>(b.y) && a.widthFactor == b.widthFactor;
}
bool operator==(const Stroke &a, const Stroke &b) { return a.color == b.color && a.width == b.width && a.points == b.points; }
} // namespace core

namespace {

// The sample: header 16 bytes (its page count at 10), page 0's id "polygon"
// from 16, its count at 24, its stroke's colour at 28, width at 32, point
// count at 36, points from 40 (12 bytes each); the four empty pages, "arc",
// "sectors", "blank" and "practice", from 64, their ids' lengths and counts
// 8, 12, 10 and 13 bytes; the CRC at 107: 111 bytes.
constexpr qsizetype kPageCountAt = 10, kIdAt = 16, kStrokesAt = 24;
constexpr qsizetype kColourAt = 28, kWidthAt = 32, kPointsAt = 36, kFirstXAt = 40, kFactorAt = 48, kCrcAt = 107;
constexpr qsizetype kSampleBytes = 111;
// A file the first version wrote, by the writer of its day: page 0's sample
// stroke and a 6 px dot at (100, 50) on page 3, the blank page.
const QByteArray kFirstVersionFile = QByteArray::fromHex(
    "8954616d496e6b0a010004004c00000001000000332211ffcdcc4c3d020000000000003f000080be0000803f0000803f0000403f0000c0"
    "3f000000000000000001000000ffffffff0000c040010000000000c842000048420000803f4f03eee3");

const int kPages = PageTable::count();

InkFile::Board sample()
{
    InkFile::Board board(kPages);
    board[0].push_back({0xff112233, 0.05f, {{0.5f, -0.25f, 1.0f}, {1.0f, 0.75f, 1.5f}}});
    return board;
}

QByteArray bytesOf(const InkFile::Board &board)
{
    const InkFile::Bytes bytes = InkFile::encode(board, PageTable::ids()).value_or(InkFile::Bytes());
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}

InkFile::Read decoded(const QByteArray &bytes)
{
    return InkFile::decode(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size()),
                           PageTable::inkPages());
}

// CRC-32 bit by bit, the textbook way.
quint32 crc(const QByteArray &bytes)
{
    quint32 c = 0xffffffffu;
    for (char byte : bytes) {
        c ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            c = (c >> 1) ^ (0xedb88320u & (0u - (c & 1u)));
    }
    return ~c;
}

// Makes a changed file whole again: the body's length and the checksum.
QByteArray resealed(QByteArray bytes)
{
    if (bytes.size() < 20)
        return bytes;
    qToLittleEndian(quint32(bytes.size() - 20), bytes.data() + 12);
    qToLittleEndian(crc(bytes.left(bytes.size() - 4)), bytes.data() + bytes.size() - 4);
    return bytes;
}

QByteArray with(qsizetype at, quint32 value, bool reseal = true)
{
    QByteArray bytes = bytesOf(sample());
    qToLittleEndian(value, bytes.data() + at);
    return reseal ? resealed(bytes) : bytes;
}

QByteArray withFloat(qsizetype at, float value) { return with(at, std::bit_cast<quint32>(value)); }

bool allWithinBounds(const InkFile::Board &board)
{
    for (const auto &page : board)
        for (const Stroke &s : page) {
            if (s.points.empty() || !(s.width > 0) || s.width > InkFile::kMaxWidth)
                return false;
            for (const InkPoint &p : s.points)
                if (!(std::fabs(p.x) <= InkFile::kMaxCoordinate && std::fabs(p.y) <= InkFile::kMaxCoordinate &&
                      p.widthFactor > 0 && p.widthFactor <= InkFile::kMaxWidthFactor))
                    return false;
        }
    return true;
}

int envOr(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

} // namespace

void TestInkFile::roundTrip_data()
{
    QTest::addColumn<int>("pointsOnPage1");
    QTest::addColumn<qsizetype>("bytes");
    // 16 of header, 5 a page and its id, 12 a stroke and 12 a point, 4 of checksum.
    QTest::newRow("the sample") << 0 << kSampleBytes;
    QTest::newRow("and a dot on page 1") << 1 << kSampleBytes + 12 + 12;
    QTest::newRow("and 100,000 points on page 1") << 100000 << kSampleBytes + 12 + 100000 * 12;
}

// Odd but valid values come back bit for bit: -0, the limits, a colour with no alpha.
void TestInkFile::roundTrip()
{
    QFETCH(int, pointsOnPage1);
    QFETCH(qsizetype, bytes);
    InkFile::Board board = sample();
    if (pointsOnPage1 > 0) {
        Stroke s{0x00ffffff, InkFile::kMaxWidth, {}};
        for (int i = 0; i < pointsOnPage1; ++i)
            s.points.push_back({i % 2 ? -0.0f : InkFile::kMaxCoordinate, -InkFile::kMaxCoordinate + i, InkFile::kMaxWidthFactor});
        board[1].push_back(s);
    }
    const QByteArray encoded = bytesOf(board);
    QCOMPARE(encoded.size(), bytes);
    const InkFile::Read read = decoded(encoded);
    QCOMPARE(read.problem, InkFile::Problem::None);
    QVERIFY(read.board == board);
}

void TestInkFile::refused_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<InkFile::Problem>("problem");
    using P = InkFile::Problem;
    const QByteArray good = bytesOf(sample());
    QTest::newRow("the sample itself") << good << P::None;
    QTest::newRow("another colour, resealed") << with(kColourAt, 0xff00ff00) << P::None;
    QTest::newRow("empty") << QByteArray() << P::NotInkFile;
    QTest::newRow("a PNG") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << P::NotInkFile;
    QTest::newRow("text") << QByteArray("lineWeight=3\n") << P::NotInkFile;
    QTest::newRow("the magic alone") << good.left(8) << P::Damaged;
    QTest::newRow("version 3") << with(8, 3 | (5u << 16), false) << P::NewerVersion;
    QTest::newRow("version 0") << with(8, 0 | (5u << 16)) << P::Damaged;
    QTest::newRow("version 1 of five pages: from a later program") << with(8, 1 | (5u << 16)) << P::NewerVersion;
    QTest::newRow("an id of no letters") << with(kIdAt, 0) << P::Damaged;
    QTest::newRow("an id with a space") << with(kIdAt + 1, quint32('p' | ' ' << 8 | 'l' << 16 | 'y' << 24)) << P::Damaged;
    QTest::newRow("an id longer than the file") << with(kIdAt, 0xff) << P::Damaged;
    QTest::newRow("a page twice") << resealed(good.left(64) + good.mid(16, 48) + good.mid(64)) << P::Damaged;
    QTest::newRow("one byte short") << good.chopped(1) << P::Damaged;
    QTest::newRow("one byte more") << good + '\0' << P::Damaged;
    QTest::newRow("checksum off by one") << with(kCrcAt, crc(good.left(kCrcAt)) + 1, false) << P::Damaged;
    QTest::newRow("a point changed, not resealed") << with(kFirstXAt, 0, false) << P::Damaged;
    QTest::newRow("four billion strokes") << with(kStrokesAt, 0xffffffffu) << P::Damaged;
    QTest::newRow("four billion points") << with(kPointsAt, 0xffffffffu) << P::Damaged;
    QTest::newRow("three points, two there") << with(kPointsAt, 3) << P::Damaged;
    QTest::newRow("a stroke of no points") << resealed(with(kPointsAt, 0).remove(kFirstXAt, 24)) << P::Damaged;
    QTest::newRow("x is NaN") << withFloat(kFirstXAt, std::nanf("")) << P::Damaged;
    QTest::newRow("x is infinite") << withFloat(kFirstXAt, INFINITY) << P::Damaged;
    QTest::newRow("x is 10^7") << withFloat(kFirstXAt, 1e7f) << P::Damaged;
    QTest::newRow("width is 0") << withFloat(kWidthAt, 0) << P::Damaged;
    QTest::newRow("width is negative") << withFloat(kWidthAt, -1) << P::Damaged;
    QTest::newRow("width is 10^30") << withFloat(kWidthAt, 1e30f) << P::Damaged;
    QTest::newRow("width factor 0") << withFloat(kFactorAt, 0) << P::Damaged;
    QTest::newRow("width factor 5") << withFloat(kFactorAt, 5) << P::Damaged;
}

void TestInkFile::refused()
{
    QFETCH(QByteArray, file);
    QFETCH(InkFile::Problem, problem);
    const InkFile::Read read = decoded(file);
    QCOMPARE(read.problem, problem);
    if (problem != InkFile::Problem::None)
        QVERIFY(std::all_of(read.board.begin(), read.board.end(), [](const auto &page) { return page.empty(); }));
    QVERIFY(InkFile::message(problem).find('\n') == std::string::npos);
}

void TestInkFile::pagesFoundByIdOrPlace_data()
{
    // A file; then the strokes on each page asked for, and the pages of ids not asked for.
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QList<int>>("strokes");
    QTest::addColumn<QStringList>("others");
    QByteArray swapped = bytesOf(sample());
    swapped.replace(kIdAt, 8, QByteArray("\x07sectors"));
    swapped.replace(72, 8, QByteArray("\x07polygon"));
    QByteArray later = bytesOf(sample());
    later.replace(kIdAt, 8, QByteArray("\x07gallery"));
    QTest::newRow("the first version's, by place") << kFirstVersionFile << QList<int>{1, 0, 0, 1, 0} << QStringList{};
    QTest::newRow("two pages changed places") << resealed(swapped) << QList<int>{0, 0, 1, 0, 0} << QStringList{};
    QTest::newRow("a later program's page") << resealed(later) << QList<int>{0, 0, 0, 0, 0, 1} << QStringList{"gallery"};
}

// Pages are found by their ids wherever they stand; a page this program does
// not have is kept apart and named, the others still come back.
void TestInkFile::pagesFoundByIdOrPlace()
{
    QFETCH(QByteArray, file);
    QFETCH(QList<int>, strokes);
    QFETCH(QStringList, others);
    const InkFile::Read read = decoded(file);
    QCOMPARE(read.problem, InkFile::Problem::None);
    QList<int> counts;
    for (const auto &page : read.board)
        counts << int(page.size());
    QCOMPARE(counts, strokes);
    QStringList named;
    for (const std::string &id : read.others)
        named << QString::fromStdString(id);
    QCOMPARE(named, others);
    QCOMPARE(QString::fromStdString(InkFile::englishOthersMessage(read.others)).contains("gallery"), !others.isEmpty());
    const std::size_t blank = std::size_t(PageTable::blank());
    if (file == kFirstVersionFile)
        QCOMPARE(read.board[blank].front().points.front().pos(), PointF(100, 50));
}

void TestInkFile::unusualFiles_data()
{
    // What stands at the path: a pipe would block a read for ever.
    QTest::addColumn<QString>("what");
    QTest::addColumn<InkFile::Problem>("problem");
    QTest::newRow("nothing") << "none" << InkFile::Problem::Missing;
    QTest::newRow("a folder") << "folder" << InkFile::Problem::Unreadable;
    QTest::newRow("a pipe") << "pipe" << InkFile::Problem::Unreadable;
    QTest::newRow("65 MiB of zeros") << "huge" << InkFile::Problem::TooLarge;
    QTest::newRow("a good file") << "good" << InkFile::Problem::None;
}

void TestInkFile::unusualFiles()
{
    QFETCH(QString, what);
    QFETCH(InkFile::Problem, problem);
    QTemporaryDir dir;
    const QString path = dir.filePath("board.ink");
    QFile file(path);
    if (what == "folder")
        QVERIFY(QDir().mkdir(path));
#ifdef Q_OS_UNIX
    if (what == "pipe")
        QCOMPARE(mkfifo(qPrintable(path), 0600), 0);
#else
    if (what == "pipe")
        QSKIP("no named pipes here");
#endif
    if (what == "huge")
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(InkFile::kMaxBytes + (1 << 20)));
    if (what == "good")
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytesOf(sample())) == kSampleBytes);
    file.close();
    QCOMPARE(InkStore::load(path, kPages).problem, problem);
}

// Run 1 leaves A; run 2 draws B; run 2 and run 3 restore A and B.
void TestInkFile::lastRunIsKeptAside()
{
    QTemporaryDir dir;
    InkFile::Board a = sample(), b = sample();
    b[3] = b[0];
    QVERIFY(!InkStore(dir.path(), kPages).save(InkFile::encode(a, PageTable::ids()).value()));
    InkStore second(dir.path(), kPages);
    QVERIFY(second.loadLast().board == a);
    second.setAsideLast();
    QVERIFY(!second.save(InkFile::encode(b, PageTable::ids()).value()));
    QVERIFY(second.loadLast().board == a);
    QVERIFY(InkStore(dir.path(), kPages).loadLast().board == b);
}

// A later program's page, which this one cannot show, is written again with this run's board.
void TestInkFile::laterProgramsPagesAreKept()
{
    QTemporaryDir dir;
    QByteArray later = bytesOf(sample());
    later.replace(kIdAt, 8, QByteArray("\x07gallery"));
    QFile file(InkStore(dir.path(), kPages).currentPath());
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(resealed(later)) == later.size());
    file.close();
    InkStore store(dir.path(), kPages);
    store.setAsideLast();
    QVERIFY(!store.save(store.encode(InkFile::Board(kPages)).value()));
    const InkFile::Read read = InkStore::load(store.currentPath(), kPages);
    QCOMPARE(read.others, InkFile::PageIds{"gallery"});
    QVERIFY(read.board.back() == sample().front());
}

// A folder where older runs set board.ink aside blocks nothing; a looping link is unreadable, and set aside,
// where it leads to this run's board: no earlier board then.
void TestInkFile::lastRunIsKeptWhereItCannotBeSetAside()
{
    for (const bool folder : {true, false}) {
        QTemporaryDir dir;
        InkStore store(dir.path(), kPages);
        QVERIFY(folder ? !store.save(InkFile::encode(sample(), PageTable::ids()).value()) && QDir().mkdir(store.previousPath())
                       : QFile::link(store.currentPath(), store.currentPath()));
        QCOMPARE(store.loadLast().problem, folder ? InkFile::Problem::None : InkFile::Problem::Unreadable);
        store.setAsideLast();
        QVERIFY(!store.save(InkFile::encode(InkFile::Board(kPages), PageTable::ids()).value()));
        QVERIFY(store.loadLast().board == (folder ? sample() : InkFile::Board(kPages)));
        QCOMPARE(QDir(dir.path()).entryList({"*.ink"}, QDir::Files | QDir::NoSymLinks).size(), folder ? 2 : 1);
    }
}

// A run that could not set board.ink aside (a folder in the old name) saved
// under a name of its own, then crashed: its board is the newest with ink.
// Nine older boards and a newer empty one lie beside them. By the keeping
// rules the five newest with ink stay, older ones up to eight in all, and an
// empty board counts as none: old0 to old2 and the empty one go.
void TestInkFile::newestBoardIsOfferedWhateverItsName()
{
    QTemporaryDir dir;
    InkFile::Board crashed = sample();
    crashed[2] = crashed[0];
    const QDateTime start = QDateTime::currentDateTime().addDays(-1);
    const auto put = [&](const QString &name, const InkFile::Board &board, int minute) {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytesOf(board)) > 0 && file.flush() &&
               file.setFileTime(start.addSecs(60 * minute), QFileDevice::FileModificationTime);
    };
    QVERIFY(QDir(dir.path()).mkpath("board-previous.ink/kept"));
    QVERIFY(put("board.ink", sample(), 10) && put("board-crashed.ink", crashed, 20) &&
            put("board-empty.ink", InkFile::Board(kPages), 30));
    for (int minute = 0; minute < 9; ++minute)
        QVERIFY(put(QStringLiteral("board-old%1.ink").arg(minute), sample(), minute));
    InkStore store(dir.path(), kPages);
    QVERIFY(store.loadLast().board == crashed);
    store.setAsideLast();
    QVERIFY(!store.save(InkFile::encode(InkFile::Board(kPages), PageTable::ids()).value()));
    QVERIFY(store.loadLast().board == crashed);
    QStringList left = QDir(dir.path()).entryList({"board-old*.ink", "board-empty.ink"}, QDir::Files);
    QCOMPARE(left, (QStringList{"board-old3.ink", "board-old4.ink", "board-old5.ink", "board-old6.ink",
                                "board-old7.ink", "board-old8.ink"}));
    QCOMPARE(QDir(dir.path()).entryList({"*.ink"}, QDir::Files).size(), 6 + 3);
    QVERIFY(QFileInfo(dir.filePath("board-previous.ink/kept")).isDir());
}

// A lesson, then a run with one stray touch, then another run: the lesson's
// file is still there, whole, for the teacher to choose.
void TestInkFile::noRunWritesOverAnEarlierBoard()
{
    QTemporaryDir dir;
    InkFile::Board lesson = sample(), stray(kPages);
    lesson[2] = lesson[0];
    stray[3] = lesson[0];
    for (const InkFile::Board &board : {lesson, stray, stray}) {
        InkStore run(dir.path(), kPages);
        run.setAsideLast();
        QVERIFY(!run.save(InkFile::encode(board, PageTable::ids()).value()));
    }
    const QStringList files = QDir(dir.path()).entryList({"*.ink"}, QDir::Files);
    QCOMPARE(std::ranges::count_if(files, [&](const QString &f) { return InkStore::load(dir.filePath(f), kPages).board == lesson; }), 1);
}

void TestInkFile::autosaveWritesSoonAndOnce()
{
    QTemporaryDir dir;
    InkStore store(dir.path(), kPages);
    int snapshots = 0;
    InkAutosave autosave(store, [&] { ++snapshots; return sample(); });
    QSignalSpy saved(&autosave, &InkAutosave::saved);
    autosave.flush();
    QVERIFY(!QFile::exists(store.currentPath()));

    QElapsedTimer since;
    since.start();
    for (int i = 0; i < 5; ++i)
        autosave.noteChange();
    QVERIFY(saved.wait(2000));
    QVERIFY(since.elapsed() <= 2000);
    QCOMPARE(snapshots, 1);
    QVERIFY(InkStore::load(store.currentPath(), kPages).board == sample());

    autosave.noteChange();
    autosave.flush();
    QCOMPARE(snapshots, 2);
    QTest::qWait(InkAutosave::kDelayMs + 200);
    QCOMPARE(snapshots, 2);
}

// Seeded mutations of good files, of both versions, most of them resealed so
// that they reach the parser: each is refused with an empty board, or
// accepted with every value in bounds and as much ink as its bytes hold,
// which reads back the same once written again under the pages' ids.
// TAMSEL_FUZZ_FILES and TAMSEL_FUZZ_SEED choose the run.
void TestInkFile::mutatedFilesNeverHarm()
{
    const int files = envOr("TAMSEL_FUZZ_FILES", 100000);
    const int seed = envOr("TAMSEL_FUZZ_SEED", 20261207);
    std::mt19937 random{quint32(seed)};
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    InkFile::Board busy(kPages);
    for (int s = 0; s < 12; ++s) {
        Stroke stroke{quint32(random()), 0.01f * float(s + 1), {}};
        for (int i = 0; i <= s * 3; ++i)
            stroke.points.push_back({float(pick(-200, 200)) / 100, float(pick(-200, 200)) / 100, 1.0f});
        busy[std::size_t(s % kPages)].push_back(stroke);
    }
    const QByteArray seeds[] = {bytesOf(sample()), bytesOf(busy), bytesOf(InkFile::Board(kPages)), kFirstVersionFile};
    const quint32 interesting[] = {0, 1, 2, 0x7fffffffu, 0x80000000u, 0xffffffffu, 0x7fc00000u, 0x7f800000u, 0x80000001u};

    int accepted = 0, pastChecksum = 0;
    for (int n = 0; n < files; ++n) {
        QByteArray bytes = seeds[pick(0, 3)];
        for (int edits = pick(1, 4); edits > 0 && !bytes.isEmpty(); --edits) {
            const qsizetype at = pick(0, int(bytes.size() - 1));
            switch (pick(0, 5)) {
            case 0:
                bytes[at] = char(bytes[at] ^ (1 << pick(0, 7)));
                break;
            case 1:
                if (bytes.size() - at >= 4)
                    qToLittleEndian(interesting[pick(0, std::size(interesting) - 1)], bytes.data() + at);
                break;
            case 2:
                bytes.insert(at, QByteArray(pick(1, 16), char(pick(0, 255))));
                break;
            case 3:
                bytes.remove(at, pick(1, 16));
                break;
            case 4:
                bytes.truncate(at);
                break;
            default:
                bytes.insert(at, bytes.mid(pick(0, int(bytes.size() - 1)), pick(1, 64)));
                break;
            }
        }
        if (pick(0, 3) > 0)
            bytes = resealed(bytes);
        const InkFile::Read read = decoded(bytes);
        const QString where = QStringLiteral("seed %1, file %2").arg(seed).arg(n);
        if (read.problem == InkFile::Problem::None) {
            ++accepted;
            QVERIFY2(allWithinBounds(read.board), qPrintable(where));
            InkFile::PageIds ids = PageTable::ids();
            ids.insert(ids.end(), read.others.begin(), read.others.end());
            const InkFile::Bytes again = InkFile::encode(read.board, ids).value();
            // A file of this version holding just our pages is the very bytes they are written as.
            const bool ours = qFromLittleEndian<quint16>(bytes.constData() + 8) == InkFile::kVersion &&
                              qFromLittleEndian<quint16>(bytes.constData() + kPageCountAt) == kPages;
            QVERIFY2(!ours || !read.others.empty() || QByteArray(reinterpret_cast<const char *>(again.data()),
                                                                 qsizetype(again.size())) == bytes,
                     qPrintable(where));
            const InkFile::Read reread = InkFile::decode(again, {ids, {}});
            QVERIFY2(reread.problem == InkFile::Problem::None && reread.board == read.board, qPrintable(where));
        } else {
            QVERIFY2(std::all_of(read.board.begin(), read.board.end(), [](const auto &p) { return p.empty(); }),
                     qPrintable(where));
        }
        if (bytes.size() >= 20 && crc(bytes.chopped(4)) == qFromLittleEndian<quint32>(bytes.constData() + bytes.size() - 4))
            ++pastChecksum;
    }
    qInfo("%d mutated files: %d accepted, %d with a good checksum", files, accepted, pastChecksum);
    // Most files must get past the checksum, or the parser goes untested.
    QVERIFY(pastChecksum > files / 2);
    QVERIFY(accepted > 0);
}

QTEST_GUILESS_MAIN(TestInkFile)
#include "tst_inkfile.moc"
