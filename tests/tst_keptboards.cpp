#include "KeptBoards.h"

#include <QTest>

using namespace core;
using Board = KeptBoards::Board;

Q_DECLARE_METATYPE(Board)
Q_DECLARE_METATYPE(std::vector<Board>)

namespace {

constexpr qint64 kKiB = 1024;
constexpr qint64 kMiB = 1024 * kKiB;

// Boards named b1, b2, … saved at 1, 2, … ms (or from firstMs on), each with ink.
std::vector<Board> visits(int count, std::int64_t bytes, const std::string &name = "b", std::int64_t firstMs = 1)
{
    std::vector<Board> boards;
    for (int i = 0; i < count; ++i)
        boards.push_back({name + std::to_string(i + 1), firstMs + i, bytes, true});
    return boards;
}

std::vector<Board> with(std::vector<Board> boards, const std::vector<Board> &more)
{
    boards.insert(boards.end(), more.begin(), more.end());
    return boards;
}

QStringList idsOf(const std::vector<std::string> &ids)
{
    QStringList out;
    for (const std::string &id : ids)
        out << QString::fromStdString(id);
    return out;
}

} // namespace

class TestKeptBoards : public QObject
{
    Q_OBJECT
private slots:
    void toDrop_data();
    void toDrop();
    void offersNewestWithInkButThisVisits();
    void plausible_data();
    void plausible();
    void thumbnailKeepsTheFiguresShape();
    void refusesWhatCountsAsNone();
};

// Expected by the rules: the five newest earlier boards always stay; older
// ones while there are at most eight and all together fit in 32 MiB.
void TestKeptBoards::toDrop_data()
{
    QTest::addColumn<std::vector<Board>>("boards");
    QTest::addColumn<QStringList>("dropped");
    QTest::newRow("eight small boards all stay") << visits(8, kKiB) << QStringList{};
    QTest::newRow("the ninth's arrival lets the oldest go") << visits(9, kKiB) << QStringList{"b1"};
    QTest::newRow("this visit's board is not counted")
        << with(visits(8, kKiB), {{"now", 20, kKiB, true, true}}) << QStringList{};
    QTest::newRow("an empty earlier board counts as none")
        << with(visits(2, kKiB), {{"empty", 9, 100, false}}) << QStringList{"empty"};
    QTest::newRow("this visit's empty board stays")
        << with(visits(2, kKiB), {{"now", 9, 100, false, true}}) << QStringList{};
    QTest::newRow("five large boards stay, the sixth goes") << visits(6, 10 * kMiB) << QStringList{"b1"};
    QTest::newRow("older boards stay while all fit 32 MiB")
        << with(visits(3, 15 * kMiB, "big"), visits(5, kKiB, "s", 10)) << QStringList{"big1"};
    QTest::newRow("one not yet kept apart never goes")
        << with({{"old", 0, kKiB, true, false, false}}, visits(9, kKiB)) << QStringList{"b1"};
    QTest::newRow("an unknown time is the oldest")
        << with({{"undated", 0, kKiB, true}}, visits(8, kKiB)) << QStringList{"undated"};
}

void TestKeptBoards::toDrop()
{
    QFETCH(std::vector<Board>, boards);
    QFETCH(QStringList, dropped);
    QStringList got = idsOf(KeptBoards::toDrop(boards));
    got.sort();
    dropped.sort();
    QCOMPARE(got, dropped);
}

void TestKeptBoards::offersNewestWithInkButThisVisits()
{
    const std::vector<Board> offers = KeptBoards::offers({{"a", 3, 10, true},
                                                          {"now", 5, 10, true, true},
                                                          {"empty", 4, 10, false},
                                                          {"undated", 0, 10, true},
                                                          {"e", 2, 10, true}});
    std::vector<std::string> ids;
    for (const Board &b : offers)
        ids.push_back(b.id);
    QCOMPARE(idsOf(ids), (QStringList{"a", "e", "undated"}));
}

void TestKeptBoards::plausible_data()
{
    QTest::addColumn<Board>("board");
    QTest::addColumn<bool>("believed");
    const qint64 now = 1'765'000'000'000; // December 2025
    QTest::newRow("a record as saved") << Board{"kept/1", now, 40 * kKiB} << true;
    QTest::newRow("no id") << Board{"", now, 40 * kKiB} << false;
    QTest::newRow("an id of 65 characters") << Board{std::string(65, 'x'), now, 40 * kKiB} << false;
    QTest::newRow("a time before 1970") << Board{"kept/1", -1, 40 * kKiB} << false;
    QTest::newRow("a time two thousand years on") << Board{"kept/1", now + 2000 * 365LL * 86'400'000, 1} << false;
    QTest::newRow("negative bytes") << Board{"kept/1", now, -1} << false;
    QTest::newRow("more than an ink file and its thumbnails") << Board{"kept/1", now, 1000 * kMiB} << false;
}

void TestKeptBoards::plausible()
{
    QFETCH(Board, board);
    QFETCH(bool, believed);
    QCOMPARE(KeptBoards::plausible(board), believed);
}

void TestKeptBoards::thumbnailKeepsTheFiguresShape()
{
    // 526 × 370 at 160/526: 370 × 160 / 526 = 112.5…
    QCOMPARE(KeptBoards::thumbnailSize(Size(526, 370)), Size(160, 113));
    QCOMPARE(KeptBoards::thumbnailSize(Size(200, 600)), Size(40, 120));
    QCOMPARE(KeptBoards::thumbnailSize(Size(1, 2000)), Size(1, 120));
    QVERIFY(KeptBoards::thumbnailSize(Size(0, 370)).isEmpty());
}

void TestKeptBoards::refusesWhatCountsAsNone()
{
    Lesson lesson;
    Lesson::PreparedBoard empty(std::size_t(lesson.pageCount()));
    QCOMPARE(KeptBoards::refusal(lesson, InkFile::Problem::None, empty),
             InkFile::message(InkFile::Problem::Missing));
    QCOMPARE(KeptBoards::refusal(lesson, InkFile::Problem::Damaged, empty),
             InkFile::message(InkFile::Problem::Damaged));
    Lesson::PreparedBoard one(std::size_t(lesson.pageCount()));
    one[1] = InkLayer::prepare({Stroke{0xffffffff, 4, {{0.1f, 0.2f, 1}, {0.3f, 0.4f, 1}}}});
    QCOMPARE(KeptBoards::refusal(lesson, InkFile::Problem::None, one), std::string());
}

QTEST_GUILESS_MAIN(TestKeptBoards)
#include "tst_keptboards.moc"
