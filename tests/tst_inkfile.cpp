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
    void unusualFiles_data();
    void unusualFiles();
    void lastRunIsKeptAside();
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

// The sample: header 16 bytes (its page count at 10), page 0's count at 16,
// its stroke's colour at 20, width at 24, point count at 28, points from 32
// (12 bytes each), the three empty pages' counts at 56, 60 and 64, the CRC at
// 68: 72 bytes.
constexpr qsizetype kPageCountAt = 10;
constexpr qsizetype kColourAt = 20, kWidthAt = 24, kPointsAt = 28, kFirstXAt = 32, kFactorAt = 40, kCrcAt = 68;
constexpr qsizetype kSampleBytes = 72;

const int kPages = PageTable::count();

InkFile::Board sample()
{
    InkFile::Board board(kPages);
    board[0].push_back({0xff112233, 0.05f, {{0.5f, -0.25f, 1.0f}, {1.0f, 0.75f, 1.5f}}});
    return board;
}

QByteArray bytesOf(const InkFile::Board &board)
{
    const InkFile::Bytes bytes = InkFile::encode(board).value_or(InkFile::Bytes());
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}

InkFile::Read decoded(const QByteArray &bytes)
{
    return InkFile::decode(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size()), kPages);
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
    // 16 of header, 4 a page, 12 a stroke and 12 a point, 4 of checksum.
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
    QTest::newRow("version 2") << with(8, 2 | (4u << 16), false) << P::NewerVersion;
    QTest::newRow("version 0") << with(8, 0 | (4u << 16)) << P::Damaged;
    QTest::newRow("five pages: from a later program") << with(8, 1 | (5u << 16)) << P::NewerVersion;
    QTest::newRow("one byte short") << good.chopped(1) << P::Damaged;
    QTest::newRow("one byte more") << good + '\0' << P::Damaged;
    QTest::newRow("checksum off by one") << with(kCrcAt, crc(good.left(kCrcAt)) + 1, false) << P::Damaged;
    QTest::newRow("a point changed, not resealed") << with(kFirstXAt, 0, false) << P::Damaged;
    QTest::newRow("four billion strokes") << with(16, 0xffffffffu) << P::Damaged;
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
    QVERIFY(!InkStore(dir.path(), kPages).save(InkFile::encode(a).value()));
    InkStore second(dir.path(), kPages);
    QVERIFY(second.loadLast().board == a);
    second.setAsideLast();
    QVERIFY(!second.save(InkFile::encode(b).value()));
    QVERIFY(second.loadLast().board == a);
    QVERIFY(InkStore(dir.path(), kPages).loadLast().board == b);
}

// A folder where older runs set board.ink aside blocks nothing; a looping link is unreadable, and set aside,
// where it leads to this run's board: no earlier board then.
void TestInkFile::lastRunIsKeptWhereItCannotBeSetAside()
{
    for (const bool folder : {true, false}) {
        QTemporaryDir dir;
        InkStore store(dir.path(), kPages);
        QVERIFY(folder ? !store.save(InkFile::encode(sample()).value()) && QDir().mkdir(store.previousPath())
                       : QFile::link(store.currentPath(), store.currentPath()));
        QCOMPARE(store.loadLast().problem, folder ? InkFile::Problem::None : InkFile::Problem::Unreadable);
        store.setAsideLast();
        QVERIFY(!store.save(InkFile::encode(InkFile::Board(kPages)).value()));
        QVERIFY(store.loadLast().board == (folder ? sample() : InkFile::Board()));
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
    QVERIFY(!store.save(InkFile::encode(InkFile::Board(kPages)).value()));
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
        QVERIFY(!run.save(InkFile::encode(board).value()));
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

// Seeded mutations of good files, most of them resealed so that they reach
// the parser: each is refused with an empty board, or accepted only as the
// very bytes that the pages it holds would be written as, every value in
// bounds; a file of fewer pages (from before pages were added) leaves the
// rest of the board empty.
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
    const QByteArray seeds[] = {bytesOf(sample()), bytesOf(busy), bytesOf(InkFile::Board(kPages))};
    const quint32 interesting[] = {0, 1, 2, 0x7fffffffu, 0x80000000u, 0xffffffffu, 0x7fc00000u, 0x7f800000u, 0x80000001u};

    int accepted = 0, pastChecksum = 0;
    for (int n = 0; n < files; ++n) {
        QByteArray bytes = seeds[pick(0, 2)];
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
            const auto held = read.board.begin() + qFromLittleEndian<quint16>(bytes.constData() + kPageCountAt);
            QVERIFY2(allWithinBounds(read.board), qPrintable(where));
            QVERIFY2(bytesOf(InkFile::Board(read.board.begin(), held)) == bytes, qPrintable(where));
            QVERIFY2(std::all_of(held, read.board.end(), [](const auto &p) { return p.empty(); }), qPrintable(where));
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
