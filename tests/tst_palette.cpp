#include "Convert.h"
#include "PenPalette.h"
#include "PictureBox.h"
#include "Scriba.h"
#include "Settings.h"
#include "Strokes.h"
#include "Swatch.h"
#include "TabControl.h"
#include "WindowFixture.h"

#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <tuple>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using core::PenPalette;
using Convert::toCore;
using Convert::toQt;

class TestPalette : public QObject
{
    Q_OBJECT
private slots:
    void swatchCyclesAndStrokesTakeItsColour();
    void swatchFromAnyOtherColourGoesWhite();
    void penColourIsKeptPerPage();
    void clearErasesOnlyThePageInView_data();
    void clearErasesOnlyThePageInView();
    void repaintRequestPicksTheArea_data();
    void repaintRequestPicksTheArea();
    void resizeLaysOutOnlyThePageInView();
    void clickLaysOutTheCurrentPageWhateverItsArgument();
    void pensReadOnTheBoard_data();
    void pensReadOnTheBoard();
    void pensReadOnEveryFillAtTheDesignWeight_data();
    void pensReadOnEveryFillAtTheDesignWeight();
    void settingsFile_data();
    void settingsFile();
    void hostileSettingsNeverWait_data();
    void hostileSettingsNeverWait();
    void sharedPenRule_data();
    void sharedPenRule();
    void sharedPenStored_data();
    void sharedPenStored();
};

void TestPalette::swatchCyclesAndStrokesTakeItsColour()
{
    Tamsel w;
    QVERIFY(showWindow(w));
    QCOMPARE(w.ColPic->BackColor(), Tamsel::kWhite);
    const QList<QColor> cycle{Tamsel::kRed, Tamsel::kBlue, Tamsel::kWhite, Tamsel::kRed};
    for (int i = 0; i < cycle.size(); ++i) {
        QTest::mouseClick(w.ColPic, Qt::LeftButton);
        QCOMPARE(w.ColPic->BackColor(), cycle[i]);
        mouseStroke(w.Scriba[0], {{10, 10 + 20 * i}, {100, 10 + 20 * i}});
        QCOMPARE(QColor(w.Scriba[0]->ink().strokes().back()->color), cycle[i]);
    }
}

void TestPalette::swatchFromAnyOtherColourGoesWhite()
{
    Tamsel w;
    w.Scriba[0]->setForeColor(Qt::yellow); // as the page menu chooses it
    w.ColPic_Click();
    QCOMPARE(w.ColPic->BackColor(), Tamsel::kWhite);
    QCOMPARE(w.Scriba[0]->ForeColor(), Tamsel::kWhite);
}

void TestPalette::penColourIsKeptPerPage()
{
    Tamsel w;
    QVERIFY(showWindow(w));
    w.ColPic_Click(); // page 0 red
    w.MainTab->setTab(1);
    QCOMPARE(w.ColPic->BackColor(), Tamsel::kWhite);
    w.ColPic_Click();
    w.ColPic_Click(); // page 1 blue
    w.MainTab->setTab(0);
    QCOMPARE(w.ColPic->BackColor(), Tamsel::kRed);
    w.MainTab->setTab(1);
    QCOMPARE(w.ColPic->BackColor(), Tamsel::kBlue);
    QCOMPARE(w.Scriba[2]->ForeColor(), Tamsel::kWhite);
}

void TestPalette::clearErasesOnlyThePageInView_data()
{
    QTest::addColumn<int>("button");
    QTest::newRow("left button") << 0;
    QTest::newRow("right button") << 1;
}

void TestPalette::clearErasesOnlyThePageInView()
{
    QFETCH(int, button);
    Tamsel w;
    QVERIFY(showWindow(w));
    w.MainTab->setTab(1);
    mouseStroke(w.Scriba[1], {{10, 10}, {50, 50}});
    w.MainTab->setTab(0);
    w.ColPic_Click();
    mouseStroke(w.Scriba[0], {{10, 100}, {300, 100}});
    PaintCounter paints;
    w.ClsButton[button]->click();
    QVERIFY(w.Scriba[0]->ink().strokes().empty());
    QCOMPARE(int(w.Scriba[1]->ink().strokes().size()), 1);
    QCOMPARE(w.Scriba[0]->ForeColor(), Tamsel::kRed);
    QVERIFY(paints.of(w.PolyPic) >= 1);
    // The figure stays, the stroke is gone: the radius to the right runs along the centre row.
    const QImage shot = w.grab().toImage();
    const QPoint centre = w.PolyPic->mapTo(&w, QPoint(1 + 263, 1 + 185));
    QCOMPARE(shot.pixelColor(centre + QPoint(50, 0)), QColor(255, 0, 0));
    QCOMPARE(shot.pixelColor(w.Scriba[0]->mapTo(&w, QPoint(100, 100))), Tamsel::kFigureBackground);
}

void TestPalette::repaintRequestPicksTheArea_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("page");
    QTest::newRow("0 repaints the polygon") << 0 << 0;
    QTest::newRow("1 repaints the arc") << 1 << 1;
    QTest::newRow("2 repaints the sectors") << 2 << 2;
    QTest::newRow("3 repaints the blank page") << 3 << 3;
    QTest::newRow("4 repaints the blank page") << 4 << 3;
    QTest::newRow("-1 repaints the blank page") << -1 << 3;
    QTest::newRow("32767 repaints the blank page") << 32767 << 3;
}

void TestPalette::repaintRequestPicksTheArea()
{
    QFETCH(int, index);
    QFETCH(int, page);
    Tamsel w;
    QVERIFY(showWindow(w));
    w.MainTab->setTab(page);
    const PictureBox *pictures[] = {w.PolyPic, w.CirPic, w.ccPic, w.WhPic};
    PaintCounter paints;
    w.Scriba_RepaintRequest(Int16(index));
    QCOMPARE(paints.of(pictures[page]), 1);
    if (page == 3)
        QCOMPARE(w.Scriba[3]->lastRedrawRect(), QRect(0, 0, 524, 393));
}

void TestPalette::resizeLaysOutOnlyThePageInView()
{
    Tamsel w;
    QVERIFY(showWindow(w));
    const QRect cirBefore = w.CirPic->geometry();
    w.resize(1280, 800);
    QTRY_COMPARE(w.PolyPic->geometry(), QRect(5, 25, 1260, 703));
    QCOMPARE(w.CirPic->geometry(), cirBefore);
    w.MainTab->setTab(1);
    QCOMPARE(w.CirPic->geometry(), QRect(5, 25, 1260, 703));
    QCOMPARE(w.Scriba[1]->geometry(), QRect(7, 27, 1256, 699));
}

void TestPalette::clickLaysOutTheCurrentPageWhateverItsArgument()
{
    Tamsel w;
    QVERIFY(showWindow(w));
    w.ccPic->setGeometry(0, 0, 10, 10);
    w.PolyPic->setGeometry(0, 0, 10, 10);
    w.MainTab_Click(2);
    QCOMPARE(w.PolyPic->geometry(), QRect(5, 25, 528, 372));
    QCOMPARE(w.ccPic->geometry(), QRect(0, 0, 10, 10));
}

void TestPalette::pensReadOnTheBoard_data()
{
    // Contrast with the board's (0,128,0), of luminance 0.1544, worked by hand;
    // and on white paper, where a line needs a luminance of at most 1.05 / 4.5 - 0.05
    // = 0.1833: the colour scaled down to that, rounded down (worked by hand
    // where given, else checked by its properties).
    QTest::addColumn<int>("key");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<double>("contrast");
    QTest::addColumn<QColor>("onPaper");
    QTest::newRow("white") << 1 << QColor(255, 255, 255) << 5.137 << QColor(118, 118, 118);
    QTest::newRow("yellow chalk") << 2 << QColor(255, 255, 0) << 4.784 << QColor(122, 122, 0);
    QTest::newRow("the swatch's red") << 3 << Tamsel::kRed << 1.285 << QColor(238, 0, 0);
    QTest::newRow("the swatch's blue") << 4 << Tamsel::kBlue << 1.673 << Tamsel::kBlue;
    QTest::newRow("pink chalk") << 5 << QColor(255, 192, 224) << 3.393 << QColor();
    QTest::newRow("light blue chalk") << 6 << QColor(128, 224, 255) << 3.431 << QColor();
}

void TestPalette::pensReadOnTheBoard()
{
    QFETCH(int, key);
    QFETCH(QColor, colour);
    QFETCH(double, contrast);
    QCOMPARE(toQt(PenPalette::pens().at(key - 1).colour), colour);
    const double ratio = PenPalette::contrastRatio(toCore(colour), toCore(Tamsel::kFigureBackground));
    QVERIFY2(qAbs(ratio - contrast) < 0.001, qPrintable(QString::number(ratio)));
    // Only the design's own red and blue may read poorly on the board.
    QVERIFY(ratio >= 3 || colour == Tamsel::kRed || colour == Tamsel::kBlue);

    QFETCH(QColor, onPaper);
    const QColor paper = toQt(PenPalette::onWhite(toCore(colour)));
    if (onPaper.isValid())
        QCOMPARE(paper, onPaper);
    QVERIFY(PenPalette::contrastRatio(toCore(paper), toCore(Qt::white)) >= PenPalette::kLineOnPaperContrast);
    // Its hue kept: every channel scaled alike, within a step of rounding.
    const double keep = double(qMax(paper.red(), paper.blue())) / qMax(colour.red(), colour.blue());
    for (const auto channel : {&QColor::red, &QColor::green, &QColor::blue})
        QVERIFY(qAbs((paper.*channel)() - keep * (colour.*channel)()) < 1);
}

void TestPalette::pensReadOnEveryFillAtTheDesignWeight_data()
{
    // The fills as the design paints them: page 2's pale halves at the start,
    // page 1's disc at 360°, and page 0's squared paper with its counted tints,
    // whose squares leave room for a patch 5 px across.
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("paper");
    QTest::addColumn<QColor>("fill");
    QTest::addColumn<int>("halfPatch");
    QTest::addColumn<QColor>("pen");
    const std::tuple<const char *, int, bool, QColor, int> fills[] = {
        {"pale yellow", 2, false, QColor(255, 255, 192), 10}, {"pale green", 2, false, QColor(128, 255, 128), 10},
        {"blue disc", 1, false, QColor(0, 0, 255), 10},       {"inner squares", 0, true, QColor(24, 112, 150), 2},
        {"cut squares", 0, true, QColor(150, 130, 30), 2}};
    for (const auto &[name, page, paper, fill, half] : fills)
        for (const PenPalette::Pen &pen : PenPalette::pens())
            QTest::addRow("%s pen on %s", pen.colour.name().c_str(), name)
                << page << paper << fill << half << toQt(pen.colour);
}

// A short mouse stroke at ×1 through a patch of the fill: some pixel the ink
// changed across it, as the window shows it, stands out from the fill by 3 : 1.
void TestPalette::pensReadOnEveryFillAtTheDesignWeight()
{
    QFETCH(int, page);
    QFETCH(bool, paper);
    QFETCH(QColor, fill);
    QFETCH(int, halfPatch);
    QFETCH(QColor, pen);
    constexpr int kAcrossPx = 8;
    Tamsel w;
    QVERIFY(showWindow(w));
    w.MainTab->setTab(page);
    if (paper) {
        w.lesson().setGrid(true);
        w.lesson().toggleAids();
        while (w.lesson().stepCounting(1)) {}
    }
    const QImage before = w.grab().toImage();
    const QRect overlay(w.Scriba[page]->mapTo(&w, QPoint()), w.Scriba[page]->size());
    const auto patch = [&](QPoint c) {
        for (int dy = -halfPatch; dy <= halfPatch; ++dy)
            for (int dx = -halfPatch; dx <= halfPatch; ++dx)
                if (before.pixelColor(c + QPoint(dx, dy)) != fill)
                    return false;
        return true;
    };
    std::optional<QPoint> at;
    const QRect inside = overlay.adjusted(kAcrossPx, kAcrossPx, -kAcrossPx, -kAcrossPx);
    for (int y = inside.top(); y <= inside.bottom() && !at; ++y)
        for (int x = inside.left(); x <= inside.right() && !at; ++x)
            if (patch({x, y}))
                at = QPoint(x, y);
    QVERIFY2(at, "no patch of the fill");
    w.Scriba[page]->setForeColor(pen);
    const QPoint local = *at - overlay.topLeft();
    mouseStroke(w.Scriba[page], {local - QPoint(kAcrossPx, 0), local + QPoint(kAcrossPx, 0)});
    const QImage after = w.grab().toImage();
    double best = 1;
    for (int dy = -kAcrossPx; dy <= kAcrossPx; ++dy) {
        const QPoint p = *at + QPoint(0, dy);
        if (after.pixelColor(p) != before.pixelColor(p))
            best = std::max(best, PenPalette::contrastRatio(toCore(after.pixelColor(p)), toCore(fill)));
    }
    QVERIFY2(best >= 3, qPrintable(QString::number(best)));
}

void TestPalette::settingsFile_data()
{
    // A file (none if null), and the weight and page 0's pen read from it; other pages stay white.
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("weight");
    QTest::addColumn<QColor>("pen0");
    const QColor white = Tamsel::kWhite;
    QTest::newRow("no file") << QByteArray() << 1 << white;
    QTest::newRow("as written") << QByteArray("lineWeight=3\n[page0]\npenColour=#ffff00\n") << 3 << QColor(255, 255, 0);
    QTest::newRow("weight 0, pen kept") << QByteArray("lineWeight=0\n[page0]\npenColour=#ffc0e0\n") << 1
                                        << QColor(255, 192, 224);
    QTest::newRow("weight 4") << QByteArray("lineWeight=4\n") << 1 << white;
    QTest::newRow("weight as a rectangle") << QByteArray("lineWeight=@Rect(1 2 3 4)\n") << 1 << white;
    QTest::newRow("pen not on offer") << QByteArray("lineWeight=2\n[page0]\npenColour=#123456\n") << 2 << white;
    QTest::newRow("pen not a colour") << QByteArray("[page0]\npenColour=chalk\n") << 1 << white;
    QTest::newRow("corrupt: all defaults") << QByteArray("[General\nlineWeight=3\n") << 1 << white;
    QTest::newRow("binary junk") << QByteArray("\x00\xff\xfe[[[=\n\x01", 9) << 1 << white;
    QTest::newRow("by id, over the first settings' place")
        << QByteArray("[page0]\npenColour=#ff0000\n[page-polygon]\npenColour=#0000ff\n") << 1 << QColor(0, 0, 255);
    QTest::newRow("a later program's page, kept")
        << QByteArray("[page-gallery]\npenColour=#ff0000\nshown=true\n") << 1 << white;
}

void TestPalette::settingsFile()
{
    QFETCH(QByteArray, file);
    QFETCH(int, weight);
    QFETCH(QColor, pen0);
    QTemporaryDir dir;
    const QString path = dir.filePath("Tamsel.conf");
    QFile f(path);
    QVERIFY(file.isNull() || (f.open(QIODevice::WriteOnly) && f.write(file) == file.size() && f.flush()));
    QSettings store(path, QSettings::IniFormat);
    if (file.contains("gallery"))
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("pages this version does not have \\(gallery\\)"));
    const core::StoredChoices::Choices read = Settings(store, core::PageTable::count()).read();
    QCOMPARE(read.weight.factor(), weight);
    QList<QColor> pens;
    for (const core::Color &pen : read.pens)
        pens << toQt(pen);
    QCOMPARE(pens, (QList<QColor>{pen0, Tamsel::kWhite, Tamsel::kWhite, Tamsel::kWhite, Tamsel::kWhite}));
    QCOMPARE(read.shown, (std::vector<bool>{true, true, true, true, false}));
    // Written back, another program's page keeps what it had.
    Settings(store, core::PageTable::count()).write(read);
    QCOMPARE(QSettings(path, QSettings::IniFormat).contains("page-gallery/penColour"), file.contains("gallery"));
}

void TestPalette::hostileSettingsNeverWait_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("name");
    QTest::newRow("the file a pipe") << "pipe" << "Tamsel.conf";
    QTest::newRow("the lock a folder") << "folder" << "Tamsel.conf.lock";
    QTest::newRow("the lock garbage") << "garbage" << "Tamsel.conf.lock";
}

// Qt waits for ever on these, or 30 s on garbage: skipped with a line.
void TestPalette::hostileSettingsNeverWait()
{
    QFETCH(QString, what);
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString path = dir.filePath(name), conf = dir.filePath("Tamsel.conf");
    QFile garbage(path);
#ifndef Q_OS_UNIX
    if (what == "pipe")
        QSKIP("no named pipes here");
    const auto mkfifo = [](const char *, int) { return -1; };
#endif
    QVERIFY(what == "pipe" ? mkfifo(qPrintable(path), 0600) == 0
            : what == "folder" ? QDir().mkdir(path) : garbage.open(QIODevice::WriteOnly) && garbage.write("\1") == 1);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not saved"));
    Settings(conf, core::PageTable::count()).write({core::LineWeight::fromFactor(3).value(), {}});
    QCOMPARE(Settings(conf, core::PageTable::count()).read().weight.factor(), 1);
}

void TestPalette::sharedPenRule_data()
{
    // Steps on a fresh lesson, then each page's pen.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("pens");
    const QString w = "#ffffff", y = "#ffff00", r = "#ff0000", b = "#0000ff";
    QTest::newRow("off: a pen stays on its page") << QStringList{"show 1", "pick " + y} << QStringList{w, y, w, w, w};
    QTest::newRow("on: a pick on one page is every page's") << QStringList{"share", "show 2", "pick " + b}
                                                           << QStringList{b, b, b, b, b};
    QTest::newRow("on: the swatch's cycle too") << QStringList{"share", "show 3", "cycle"} << QStringList{r, r, r, r, r};
    QTest::newRow("switching on takes the page in view's") << QStringList{"pick " + y, "show 1", "pick " + b, "share"}
                                                          << QStringList{b, b, b, b, b};
    QTest::newRow("switching off keeps it until a page picks another")
        << QStringList{"share", "pick " + y, "unshare", "show 2", "pick " + r} << QStringList{y, y, r, y, y};
    QTest::newRow("restored on over mixed pens: page 0's") << QStringList{"restore"} << QStringList{r, r, r, r, r};
}

void TestPalette::sharedPenRule()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, pens);
    core::Lesson lesson;
    const auto colour = [](const QString &name) { return core::Color::fromName(name.toStdString()).value(); };
    for (const QString &step : steps) {
        const QString arg = step.section(' ', 1);
        if (step.startsWith("show"))
            lesson.showPage(arg.toInt());
        else if (step.startsWith("pick"))
            lesson.setPen(colour(arg));
        else if (step == "cycle")
            lesson.cyclePen();
        else if (step == "restore")
            lesson.restoreChoices({.pens = {colour("#ff0000"), colour("#ffff00"), colour("#0000ff"), colour("#ffffff")},
                                   .sharedPen = true});
        else
            lesson.setSharedPen(step == "share");
    }
    QStringList actual;
    for (int page = 0; page < lesson.pageCount(); ++page)
        actual << QString::fromStdString(lesson.pen(page).name());
    QCOMPARE(actual, pens);
}

void TestPalette::sharedPenStored_data()
{
    // The stored text (null: none), and whether one pen serves every page; only what Qt writes for true turns it on.
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("shared");
    QTest::newRow("none") << QString() << false;
    QTest::newRow("true") << "true" << true;
    QTest::newRow("false") << "false" << false;
    QTest::newRow("1") << "1" << false;
    QTest::newRow("TRUE") << "TRUE" << false;
    QTest::newRow("true and more") << "truex" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("Japanese") << "はい" << false;
}

void TestPalette::sharedPenStored()
{
    QFETCH(QString, stored);
    QFETCH(bool, shared);
    const auto lookup = [&](const std::string &key) {
        return key == core::StoredChoices::kSharedPenKey && !stored.isNull() ? std::optional(stored.toStdString())
                                                                            : std::nullopt;
    };
    QCOMPARE(core::StoredChoices::read(lookup, core::PageTable::count()).sharedPen, shared);
    // What is written comes back through the settings file.
    QTemporaryDir dir;
    const QString path = dir.filePath("Tamsel.conf");
    Settings(path, core::PageTable::count()).write({.sharedPen = shared});
    QCOMPARE(Settings(path, core::PageTable::count()).read().sharedPen, shared);
}

QTEST_MAIN(TestPalette)
#include "tst_palette.moc"
