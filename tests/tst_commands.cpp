#include "CommandTable.h"
#include "KeyChord.h"
#include "Lesson.h"

#include <QTest>

#include <map>
#include <set>

using namespace core;

class TestCommands : public QObject
{
    Q_OBJECT
private slots:
    void keysAndMnemonicsNeverClash();
    void commandsRun_data();
    void commandsRun();
    void keyChords_data();
    void keyChords();
};

// Two rows a page has may not share a key, nor two items of one list an access key.
void TestCommands::keysAndMnemonicsNeverClash()
{
    Lesson lesson;
    std::set<std::string> ids;
    std::map<Menu, std::set<char>> mnemonics;
    for (const Command &c : CommandTable::rows()) {
        QVERIFY2(ids.insert(c.id).second, c.id.c_str());
        if (c.mnemonic)
            QVERIFY2(mnemonics[c.menu].insert(c.mnemonic).second, c.id.c_str());
        // Everything can be reached by touch: from the toolbar or the menu.
        QVERIFY2(c.toolbar > 0 || c.menu != Menu::None, c.id.c_str());
    }
    for (int page = 0; page < lesson.pageCount(); ++page) {
        lesson.showPage(page);
        std::map<std::string, std::string> taken;
        for (const Command &c : CommandTable::rows())
            for (const std::string &key : c.keys)
                if (CommandTable::state(lesson, c).available)
                    QVERIFY2(taken.emplace(key, c.id).second, (key + ": " + c.id + ", " + taken[key]).c_str());
    }
}

void TestCommands::commandsRun_data()
{
    // Commands on a fresh lesson, then what the lesson shows; "p<n>" shows page n first.
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QString>("expected");
    QTest::newRow("a radius turns the lengths on") << QStringList{"radius.8"} << "cm 8";
    QTest::newRow("weight cycles 標準 太い 特大 標準") << QStringList{"weight.next", "weight.next"} << "weight 3 特大";
    QTest::newRow("and round again") << QStringList{"weight.next", "weight.next", "weight.next"} << "weight 1 標準";
    QTest::newRow("heavier stops at 特大") << QStringList{"weight.3", "weight.heavier"} << "weight 3 特大";
    QTest::newRow("a pen puts the eraser down") << QStringList{"ink.eraser", "pen.3"} << "pen #ff0000 drawing";
    QTest::newRow("the eraser unmarks the pen") << QStringList{"pen.2", "ink.eraser"} << "pen none erasing";
    QTest::newRow("formula waits for aids and sectors")
        << QStringList{"p2", "formula.next", "aids", "formula.next"} << "formula 0 step 0";
    QTest::newRow("8 sectors placed, then two lines") << (QStringList{"p2", "aids"} << QStringList(8, "sectors.next")
                                                                                    << "formula.next" << "formula.next")
                                                       << "formula 2 step 8";
    QTest::newRow("a line taken back, not a sector")
        << (QStringList{"p2", "aids", "sectors.home"} + QStringList(8, "lesson.next")
            + QStringList{"formula.next", "formula.back", "formula.back"})
        << "formula 0 step 8";
    QTest::newRow("start, pause, resume") << QStringList{"p2", "start"} << "start 一時停止";
    QTest::newRow("paused mid-way reads 再開") << QStringList{"p2", "sectors.next"} << "start 再開";
    QTest::newRow("every sector placed reads 開始") << (QStringList{"p2"} << QStringList(8, "sectors.next")) << "start 開始";
    QTest::newRow("value steps stop at the range's end") << QStringList{"p0", "value.down", "value.up"} << "value 4";
    QTest::newRow("squares only where the page has them") << QStringList{"p1", "squares", "p0", "grid"} << "squares 0 grid 1";
    // The practice page is page 4, after the design's four: in view, its figure, lengths and step; then the tabs shown.
    QTest::newRow("a figure chosen shows its page") << QStringList{"practice.7"} << "practice 4 7 10 5 0 tabs 11111";
    QTest::newRow("its steps are its own, the sectors' theirs")
        << QStringList{"practice.6", "lesson.next", "lesson.next", "p2", "lesson.next", "p4"} << "practice 4 6 10 0 2 tabs 11111";
    QTest::newRow("no step past the answer") << (QStringList{"practice.0"} << QStringList(5, "lesson.next")) << "practice 4 0 10 0 3 tabs 11111";
    QTest::newRow("a new figure starts from its own lengths")
        << QStringList{"practice.8", "lesson.next", "practice.2"} << "practice 4 2 6 0 0 tabs 11111";
    QTest::newRow("a ring's hole stays inside it") << QStringList{"practice.7", "practice.second.15"} << "practice 4 7 10 9 0 tabs 11111";
    QTest::newRow("a track's straight part is its own")
        << QStringList{"practice.8", "practice.second.20", "value.down"} << "practice 4 8 4 20 0 tabs 11111";
    QTest::newRow("hiding the page in view shows the next") << QStringList{"practice.0", "page.shown.practice"}
                                                            << "practice 0 0 10 0 0 tabs 11110";
    QTest::newRow("one page always stays")
        << QStringList{"page.shown.polygon", "page.shown.arc", "page.shown.sectors", "page.shown.blank"}
        << "practice 3 0 10 0 0 tabs 00010";
    QTest::newRow("a hidden page is not shown") << QStringList{"page.shown.arc", "p1"} << "practice 0 0 10 0 0 tabs 10110";
}

void TestCommands::commandsRun()
{
    QFETCH(QStringList, commands);
    QFETCH(QString, expected);
    Lesson lesson;
    for (const QString &c : commands)
        if (c.startsWith('p') && c.size() == 2)
            lesson.showPage(c.at(1).digitValue());
        else
            CommandTable::run(lesson, c.toStdString());
    const auto label = [&](const char *id) {
        return QString::fromStdString(CommandTable::state(lesson, *CommandTable::find(id)).shortLabel);
    };
    const int page = lesson.page();
    const QString pen = lesson.erasing() ? "none" : QString::fromStdString(lesson.pen(page).name());
    const std::map<QString, QString> shown{
        {"cm", QString("cm %1").arg(lesson.realLengths() ? lesson.radiusCm() : 0)},
        {"weight", QString("weight %1 %2").arg(lesson.weight().factor()).arg(label("weight.next"))},
        {"pen", QString("pen %1 %2").arg(pen, lesson.erasing() ? "erasing" : "drawing")},
        {"formula", QString("formula %1 step %2").arg(lesson.formulaLines()).arg(lesson.step())},
        {"start", QString("start %1").arg(label("start"))},
        {"value", QString("value %1").arg(lesson.value(page))},
        {"squares", QString("squares %1 grid %2").arg(lesson.squaresShown()).arg(lesson.gridShown())},
        {"practice", QString("practice %1 %2 %3 %4 %5 tabs %6%7%8%9%10")
                         .arg(page).arg(lesson.choice(4)).arg(lesson.value(4)).arg(lesson.second(4)).arg(lesson.step(4))
                         .arg(lesson.shown(0)).arg(lesson.shown(1)).arg(lesson.shown(2)).arg(lesson.shown(3))
                         .arg(lesson.shown(4))},
    };
    QCOMPARE(shown.at(expected.section(' ', 0, 0)), expected);
}

void TestCommands::keyChords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("read");
    QTest::newRow("plus with Ctrl") << "Ctrl++" << "C +";
    QTest::newRow("two modifiers") << "Ctrl+Shift+Tab" << "CS Tab";
    QTest::newRow("a bare plus") << "+" << " +";
    QTest::newRow("a function key") << "Shift+F10" << "S F10";
}

void TestCommands::keyChords()
{
    QFETCH(QString, text);
    QFETCH(QString, read);
    const KeyChord k = KeyChord::parse(text.toStdString());
    QCOMPARE(QString("%1%2%3 %4").arg(k.ctrl ? "C" : "", k.shift ? "S" : "", k.alt ? "A" : "",
                                      QString::fromStdString(k.key)),
             read);
}

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
