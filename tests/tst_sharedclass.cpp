#include "ClassCode.h"
#include "ClassMessage.h"
#include "ClassRoom.h"
#include "ClassTopics.h"
#include "CommandTable.h"
#include "Lesson.h"

#include <QTest>

#include <functional>
#include <random>

using namespace core;

// A teacher's and pupils' rooms joined as a broker would join them: each
// message goes to the rooms subscribed to its topic ('#' ends a prefix).
class TestSharedClass : public QObject
{
    Q_OBJECT
private slots:
    void typedCodesAndNames_data();
    void typedCodesAndNames();
    void pupilsFollowTheTeacher_data();
    void pupilsFollowTheTeacher();
    void strokesArriveOnceInAnyOrder_data();
    void strokesArriveOnceInAnyOrder();
    void badMessagesAreDroppedAlone_data();
    void badMessagesAreDroppedAlone();
    void rolesAndTheGallery();
    void classCommandsFollowTheRole_data();
    void classCommandsFollowTheRole();
};

namespace {

struct Device
{
    Lesson lesson;
    ClassRoom room{lesson};
    std::vector<ClassRoom::Outgoing> sent;
    Device() { room.setSender([this](const ClassRoom::Outgoing &m) { sent.push_back(m); }); }
};

bool subscribed(const ClassRoom &room, const std::string &topic)
{
    for (const std::string &s : room.subscriptions())
        if (s == topic || (s.back() == '#' && topic.compare(0, s.size() - 1, s, 0, s.size() - 1) == 0))
            return true;
    return false;
}

// Everything `from` sent so far, to every other device that subscribed.
void deliver(Device &from, const std::vector<Device *> &to)
{
    for (const ClassRoom::Outgoing &m : std::exchange(from.sent, {}))
        for (Device *d : to)
            if (d != &from && subscribed(d->room, m.topic))
                d->room.receive(m.topic, m.payload.data(), m.payload.size());
}

void drawStroke(Lesson &lesson, PointerId pointer, const std::vector<PointF> &points, bool finish)
{
    LessonInk &ink = lesson.ink();
    ink.resize(0, Size(200, 200), 1);
    ink.place(0, Rect(0, 0, 200, 200));
    ink.begin(0, pointer, points.front(), 1);
    for (std::size_t i = 1; i < points.size(); ++i)
        ink.extend(0, pointer, points[i], 1);
    if (finish)
        ink.end(0, pointer);
}

} // namespace

void TestSharedClass::typedCodesAndNames_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("as shown") << "K7PQ3M" << "K7PQ3M" << "K7PQ3M";
    QTest::newRow("lower case, hyphen, spaces") << " k7p-q3m " << "K7PQ3M" << "k7p-q3m";
    QTest::newRow("full-width from a Japanese keyboard") << "Ｋ７ＰＱ３Ｍ" << "K7PQ3M" << "Ｋ７ＰＱ３Ｍ";
    QTest::newRow("a letter read as a digit (O)") << "K7PQ3O" << "" << "K7PQ3O";
    QTest::newRow("one too many") << "K7PQ3MA" << "" << "K7PQ3MA";
    QTest::newRow("a pupil's number") << "12" << "" << "12";
    QTest::newRow("sixteen kana, trimmed of wide spaces") << "　あいうえおかきくけこさしすせそた　" << ""
                                                         << "あいうえおかきくけこさしすせそた";
    QTest::newRow("seventeen is a name too long") << "あいうえおかきくけこさしすせそたち" << "" << "";
    QTest::newRow("a control character") << "a\tb" << "" << "";
    QTest::newRow("only spaces") << "   " << "" << "";
}

void TestSharedClass::typedCodesAndNames()
{
    QFETCH(QString, typed);
    QFETCH(QString, code);
    QFETCH(QString, name);
    const std::string bytes = typed.toStdString();
    QCOMPARE(QString::fromStdString(ClassCode::read(bytes).value_or("")), code);
    QCOMPARE(QString::fromStdString(ClassCode::readName(bytes).value_or("")), name);
    QVERIFY(!ClassCode::readName("\xC3\x28").has_value());
}

void TestSharedClass::pupilsFollowTheTeacher_data()
{
    QTest::addColumn<std::function<void(Lesson &)>>("teach");
    QTest::addColumn<bool>("free");
    QTest::newRow("page and value") << std::function([](Lesson &l) { l.showPage(1); l.setValue(1, 90); }) << false;
    QTest::newRow("sectors stepped, aids, formula") << std::function([](Lesson &l) {
        l.showPage(l.animatedPage());
        l.toggleAids();
        l.stepSectors(l.sectors());
        l.stepLesson(+1);
        l.stepLesson(+1);
    }) << false;
    QTest::newRow("running, paper, squares, weight, cm") << std::function([](Lesson &l) {
        l.setGrid(true);
        l.setSquares(true);
        l.setWeight(*LineWeight::fromFactor(3));
        l.setRealLengths(true);
        l.setRadiusCm(5);
        l.showPage(l.animatedPage());
        l.pressStart();
        l.tick();
    }) << false;
    QTest::newRow("counted by the quarter, from the diameter, a rectangle") << std::function([](Lesson &l) {
        l.setGrid(true);
        l.setQuarterCount(true);
        l.setDiameterFormula(true);
        l.setSectorLayout(SectorLayout::Rectangle);
        l.showPage(l.animatedPage());
        l.toggleAids();
        l.stepSectors(l.sectors());
        for (int press = 0; press < 3; ++press)
            l.stepLesson(+1);
        l.showPage(0);
    }) << false;
    QTest::newRow("a practice figure worked, a page hidden") << std::function([](Lesson &l) {
        l.openChoice(l.choicePage(), 1);
        l.stepLesson(+1);
        l.setShown(1, false);
    }) << false;
    QTest::newRow("let free: the pupil keeps its own page") << std::function([](Lesson &l) { l.showPage(2); }) << true;
}

void TestSharedClass::pupilsFollowTheTeacher()
{
    QFETCH(std::function<void(Lesson &)>, teach);
    QFETCH(bool, free);
    Device teacher, early, late;
    QVERIFY(teacher.room.teach("K7PQ3M"));
    QVERIFY(early.room.join("K7PQ3M", "abcdefghjk", "1"));
    teacher.room.connected();
    teacher.room.setPupilsFree(free);
    teach(teacher.lesson);
    deliver(teacher, {&early});
    // A pupil who comes late is given the last state the broker kept.
    QVERIFY(late.room.join("K7PQ3M", "mnpqrstuvw", "2"));
    teacher.room.connected();
    deliver(teacher, {&late});
    const Size size(526, 370);
    for (Device *pupil : {&early, &late}) {
        QCOMPARE(pupil->lesson.page(), free ? 0 : teacher.lesson.page());
        bool same = true;
        for (int page = 0; page < teacher.lesson.pageCount(); ++page)
            same = same && pupil->lesson.view(page, size) == teacher.lesson.view(page, size) &&
                   pupil->lesson.shown(page) == teacher.lesson.shown(page);
        QVERIFY(free || same);
        QCOMPARE(pupil->lesson.running(), !free && teacher.lesson.running());
        QCOMPARE(pupil->room.drivesClock(), free);
        // A pupil's own command gives way to the teacher's while it follows.
        pupil->lesson.nextPage();
        QCOMPARE(pupil->lesson.page() == teacher.lesson.page(), !free);
    }
}

void TestSharedClass::strokesArriveOnceInAnyOrder_data()
{
    QTest::addColumn<bool>("lateGrowth");
    QTest::addColumn<bool>("cut");
    QTest::newRow("in order") << false << false;
    QTest::newRow("the last growth after the finished stroke") << true << false;
    QTest::newRow("growth lost in a cut, the board after it") << false << true;
}

void TestSharedClass::strokesArriveOnceInAnyOrder()
{
    QFETCH(bool, lateGrowth);
    QFETCH(bool, cut);
    Device teacher, pupil;
    teacher.room.teach("K7PQ3M");
    pupil.room.join("K7PQ3M", "abcdefghjk", "ゆう");
    teacher.room.connected();
    deliver(teacher, {&pupil});
    drawStroke(teacher.lesson, 1, {{10, 10}, {20, 10}}, false);
    teacher.room.pump(0);
    deliver(teacher, {&pupil});
    QCOMPARE(pupil.room.teacher().lesson().ink(0).strokes().size(), std::size_t(1));
    drawStroke(teacher.lesson, 2, {{30, 30}, {40, 40}, {50, 30}}, false);
    teacher.room.pump(ClassRoom::kLiveIntervalMs);
    std::vector<ClassRoom::Outgoing> growth = std::exchange(teacher.sent, {});
    QCOMPARE(growth.size(), std::size_t(1));
    teacher.lesson.ink().end(0, 2);
    teacher.room.pump(2 * ClassRoom::kBoardIntervalMs);
    std::vector<ClassRoom::Outgoing> board = std::exchange(teacher.sent, {});
    if (cut)
        growth.clear();
    for (auto &m : lateGrowth ? board : growth)
        teacher.sent.push_back(m);
    for (auto &m : lateGrowth ? growth : board)
        teacher.sent.push_back(m);
    deliver(teacher, {&pupil});
    // The first stroke is still being drawn; the second, finished, shows once.
    const auto strokes = pupil.room.teacher().lesson().ink(0).strokes();
    QCOMPARE(strokes.size(), std::size_t(2));
    QCOMPARE(strokes.front()->points.size() + strokes.back()->points.size(), std::size_t(2 + 3));
}

void TestSharedClass::badMessagesAreDroppedAlone_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("topic");
    Device pupil;
    pupil.lesson.setValue(0, 7);
    ClassMessage::Bytes good = ClassMessage::encode({LessonSnapshot::of(pupil.lesson), false, 0});
    const auto bytes = [](const ClassMessage::Bytes &b) { return QByteArray(reinterpret_cast<const char *>(b.data()), qsizetype(b.size())); };
    const QByteArray lesson = bytes(good);
    QTest::newRow("not ours") << QByteArray("{\"page\":1}") << "tamsel/K7PQ3M/lesson";
    QTest::newRow("another class") << lesson << "tamsel/AAAAAA/lesson";
    QTest::newRow("a pupil's id that is none") << lesson << "tamsel/K7PQ3M/pupil/+/board";
    QTest::newRow("newer version") << QByteArray(lesson).replace(4, 1, "\x07") << "tamsel/K7PQ3M/lesson";
    QTest::newRow("older version") << QByteArray(lesson).replace(4, 1, "\x01") << "tamsel/K7PQ3M/lesson";
    QTest::newRow("one byte short") << lesson.chopped(1) << "tamsel/K7PQ3M/lesson";
    QTest::newRow("one byte more") << lesson + '\0' << "tamsel/K7PQ3M/lesson";
    QTest::newRow("a flag of 2") << QByteArray(lesson).replace(lesson.size() - 5, 1, "\x02") << "tamsel/K7PQ3M/lesson";
    QTest::newRow("too large") << QByteArray(int(ClassMessage::kMaxBytes) + 1, 'T') << "tamsel/K7PQ3M/lesson";
    Stroke nan{0xffff0000u, 3, {{1, 1, 1}, {std::nanf(""), 1, 1}}};
    QTest::newRow("a point that is no number") << bytes(*ClassMessage::encode(ClassMessage::Live{0, 1, nan}))
                                               << "tamsel/K7PQ3M/live";
    Stroke fine{0xffff0000u, 3, {{1, 1, 1}}};
    QTest::newRow("a page the lesson lacks") << bytes(*ClassMessage::encode(ClassMessage::Live{9, 1, fine}))
                                             << "tamsel/K7PQ3M/live";
    QTest::newRow("a lesson on the ink topic") << lesson << "tamsel/K7PQ3M/ink";
}

void TestSharedClass::badMessagesAreDroppedAlone()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, topic);
    Device teacher, pupil;
    teacher.room.teach("K7PQ3M");
    pupil.room.join("K7PQ3M", "abcdefghjk", "1");
    teacher.lesson.showPage(1);
    teacher.room.connected();
    deliver(teacher, {&pupil});
    const auto *data = reinterpret_cast<const std::uint8_t *>(bytes.constData());
    QCOMPARE(pupil.room.receive(topic.toStdString(), data, std::size_t(bytes.size())), ClassRoom::Received::Dropped);
    QCOMPARE(pupil.lesson.page(), 1);
    QCOMPARE(pupil.lesson.value(0), teacher.lesson.value(0));
    // Every mutation of a good message either reads or is dropped, never more.
    std::mt19937 random(QTest::currentDataTag()[0]);
    for (int i = 0; i < 1000; ++i) {
        QByteArray m = bytes;
        for (int flips = 1 + int(random() % 4); flips > 0 && !m.isEmpty(); --flips)
            m[qsizetype(random() % std::size_t(m.size()))] = char(random());
        pupil.room.receive(topic.toStdString(), reinterpret_cast<const std::uint8_t *>(m.constData()), std::size_t(m.size()));
    }
    teacher.lesson.showPage(2);
    deliver(teacher, {&pupil});
    QCOMPARE(pupil.lesson.page(), 2);
}

void TestSharedClass::rolesAndTheGallery()
{
    Device teacher, a, b;
    teacher.room.teach("K7PQ3M");
    a.room.join("K7PQ3M", "abcdefghjk", "1");
    b.room.join("K7PQ3M", "mnpqrstuvw", "2");
    QVERIFY(!b.room.join("K7PQ3M", "mnpqrstuvw", "\x01"));
    for (Device *d : {&teacher, &a, &b})
        d->room.connected();
    drawStroke(a.lesson, 1, {{5, 5}, {50, 50}}, true);
    a.room.pump(0);
    for (Device *d : {&teacher, &a, &b})
        deliver(*d, {&teacher, &a, &b});
    // Boards go to the teacher only; an empty board comes with its name.
    QCOMPARE(teacher.room.pupilCount(), 2);
    QCOMPARE(teacher.room.pupil(0).name(), std::string("1"));
    QCOMPARE(teacher.room.pupil(0).lesson().ink(0).strokes().size(), std::size_t(1));
    QCOMPARE(b.room.teacher().lesson().ink(0).strokes().size(), std::size_t(0));
    // Clearing every board: each pupil clears its own, and the gallery follows.
    QVERIFY(CommandTable::run(teacher.lesson, "class.clearBoards"));
    deliver(teacher, {&a, &b});
    a.room.pump(1000);
    deliver(a, {&teacher});
    QCOMPARE(a.lesson.ink(0).strokes().size(), std::size_t(0));
    QCOMPARE(teacher.room.pupil(0).lesson().ink(0).strokes().size(), std::size_t(0));
    // The end takes the class off the broker; pupils keep following no one.
    bool ended = false;
    teacher.room.listen([&ended](ClassRoom::Event e) { ended |= e == ClassRoom::Event::Ended; });
    QVERIFY(CommandTable::run(teacher.lesson, "class.end"));
    QVERIFY(ended);
    QCOMPARE(int(teacher.sent.size()), 2 + 2);
    deliver(teacher, {&a, &b});
    QCOMPARE(a.room.role(), ClassRoom::Role::None);
    QVERIFY(a.room.drivesClock());
}

// Only out of a class can one be shared or joined; only its teacher steers it.
void TestSharedClass::classCommandsFollowTheRole_data()
{
    QTest::addColumn<int>("role"); // 0 none, 1 teaching, 2 teaching with pupils free, 3 a pupil
    QTest::addColumn<QStringList>("enabled");
    QTest::newRow("out of class") << 0 << QStringList{"class.share", "class.join"};
    QTest::newRow("teaching") << 1 << QStringList{"class.gallery", "class.free", "class.clearBoards", "class.end"};
    QTest::newRow("pupils free") << 2 << QStringList{"class.gallery", "class.callBack", "class.clearBoards", "class.end"};
    QTest::newRow("a pupil") << 3 << QStringList{};
}

void TestSharedClass::classCommandsFollowTheRole()
{
    QFETCH(int, role);
    QFETCH(QStringList, enabled);
    Device d;
    if (role == 1 || role == 2)
        d.room.teach("K7PQ3M");
    if (role == 2)
        QVERIFY(CommandTable::run(d.lesson, "class.free") && d.room.pupilsFree());
    if (role == 3)
        d.room.join("K7PQ3M", "abcdefghjk", "1");
    QStringList now;
    for (const Command *c : CommandTable::menu(Menu::Class))
        if (CommandTable::state(d.lesson, *c).enabled)
            now << QString::fromStdString(c->id);
    QCOMPARE(now, enabled);
    QCOMPARE(CommandTable::run(d.lesson, "class.callBack"), role == 2);
}

QTEST_APPLESS_MAIN(TestSharedClass)
#include "tst_sharedclass.moc"
