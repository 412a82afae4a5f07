#include "CommandLine.h"
#include "Convert.h"
#include "CutOutCircle.h"
#include "CutOutSheet.h"
#include "InkFile.h"
#include "PageExport.h"
#include "PageRenderer.h"
#include "PageTable.h"
#include "PaperDrawOps.h"
#include "PenPalette.h"
#include "QtTextMeasure.h"
#include "RecordingOps.h"
#include "SafeWrite.h"
#include "SheetRenderer.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

using namespace core;
using Convert::toCore;

Q_DECLARE_METATYPE(PageView)

namespace {
constexpr int kPolygonPage = 0;
} // namespace

// Pages as files and on paper, and the command line that asks for them.
// Expected positions come from the figures' written rules and the layout.
class TestExport : public QObject
{
    Q_OBJECT
private slots:
    void commandLine_data();
    void commandLine();
    void sheetColoursAndInk_data();
    void sheetColoursAndInk();
    void inkLeavingThePicture_data();
    void inkLeavingThePicture();
    void cutOutCircleIsSixCentimetres();
    void cutOutNumbersTurnedOver_data();
    void cutOutNumbersTurnedOver();
    void aidsPrintFilledOnWhitePaper();
    void paperLaysLittleInk_data();
    void paperLaysLittleInk();
    void failedWriteLeavesNoFile();
    void writesOnlyRegularFiles_data();
    void writesOnlyRegularFiles();
    void pagesCarryTheirAids();
};

void TestExport::commandLine_data()
{
    // The arguments after the program's name; then what is wrong (a part of the
    // line), or the page, value, step, size and weight asked for.
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QList<int>>("asked");
    QTest::newRow("defaults") << "--export a.png" << "" << QList<int>{0, 3, 0, 526, 370, 1};
    QTest::newRow("finished 16 sectors") << "--export x.png --page 2 --value 8 --step 16 --size 800x600" << ""
                                         << QList<int>{2, 8, 16, 800, 600, 1};
    QTest::newRow("arc opens at 360") << "--export a.pdf --page 1" << "" << QList<int>{1, 360, 0, 526, 370, 1};
    QTest::newRow("blank, heaviest, 4K, upper case") << "--export A.PNG --page 3 --weight 3 --size 3840x2160" << ""
                                                     << QList<int>{3, 0, 0, 3840, 2160, 3};
    QTest::newRow("sectors at rest") << "--export a.png --page=2 --value=32 --step=0" << ""
                                     << QList<int>{2, 32, 0, 526, 370, 1};
    QTest::newRow("nothing to do") << "--page 2" << "--export" << QList<int>{};
    QTest::newRow("unknown extension") << "--export a.jpg" << "extension" << QList<int>{};
    QTest::newRow("no extension") << "--export picture" << "extension" << QList<int>{};
    QTest::newRow("page 4") << "--export a.png --page 4" << "--page" << QList<int>{};
    QTest::newRow("page as a word") << "--export a.png --page two" << "--page" << QList<int>{};
    QTest::newRow("2 sides") << "--export a.png --value 2" << "--value" << QList<int>{};
    QTest::newRow("361 degrees") << "--export a.png --page 1 --value 361" << "--value" << QList<int>{};
    QTest::newRow("V of 1") << "--export a.png --page 2 --value 1" << "--value" << QList<int>{};
    QTest::newRow("a value on the blank page") << "--export a.png --page 3 --value 5" << "--value" << QList<int>{};
    QTest::newRow("step past N") << "--export a.png --page 2 --value 8 --step 17" << "--step" << QList<int>{};
    QTest::newRow("step back") << "--export a.png --page 2 --step -1" << "--step" << QList<int>{};
    QTest::newRow("step off page 2") << "--export a.png --page 0 --step 1" << "--step" << QList<int>{};
    QTest::newRow("one side of a size") << "--export a.png --size 800" << "--size" << QList<int>{};
    QTest::newRow("zero wide") << "--export a.png --size 0x600" << "--size" << QList<int>{};
    QTest::newRow("too wide") << "--export a.png --size 8193x600" << "--size" << QList<int>{};
    QTest::newRow("a size and a new line") << "--export a.png --size 526x370\n" << "--size" << QList<int>{};
    QTest::newRow("a name not in UTF-8") << QString::fromLatin1("--export \xff.png") << "encoding" << QList<int>{};
    QTest::newRow("help with Qt's options") << "--help-all" << "" << QList<int>{};
    QTest::newRow("weight 4") << "--export a.png --weight 4" << "--weight" << QList<int>{};
    QTest::newRow("unknown option") << "--export a.png --colour red" << "colour" << QList<int>{};
    QTest::newRow("no value after the option") << "--export a.png --page" << "page" << QList<int>{};
    QTest::newRow("a stray word") << "--export a.png now" << "now" << QList<int>{};
    QTest::newRow("a page by its id") << "--export a.png --page sectors --step 8" << "" << QList<int>{2, 4, 8, 526, 370, 1};
    QTest::newRow("the ring worked") << "--export a.png --page practice --figure ring --value 12 --second 5 --step 3" << ""
                                     << QList<int>{4, 12, 3, 526, 370, 1};
    QTest::newRow("a page no version has") << "--export a.png --page gallery" << "--page" << QList<int>{};
    QTest::newRow("a figure on the polygon page") << "--export a.png --figure leaf" << "--figure" << QList<int>{};
    QTest::newRow("a leaf has one length") << "--export a.png --page practice --figure leaf --second 3" << "--second"
                                           << QList<int>{};
    QTest::newRow("a hole as wide as its ring") << "--export a.png --page practice --figure ring --value 5 --second 5"
                                                << "--second" << QList<int>{};
    QTest::newRow("past the answer") << "--export a.png --page practice --step 4" << "--step" << QList<int>{};
    // Options the page would not show are refused, as --grid is where there is no circle.
    QTest::newRow("cm without the aids") << "--export a.png --cm" << "--cm" << QList<int>{};
    QTest::newRow("cm on the blank page") << "--export a.png --page 3 --aids --cm" << "--cm" << QList<int>{};
    QTest::newRow("a radius without cm") << "--export a.png --aids --radius-cm 5" << "--radius-cm" << QList<int>{};
    QTest::newRow("a radius for the paper") << "--export a.png --grid --radius-cm 5" << "" << QList<int>{0, 3, 0, 526, 370, 1};
    QTest::newRow("a radius for the squares") << "--export a.png --squares --aids --radius-cm 8" << "" << QList<int>{0, 3, 0, 526, 370, 1};
}

void TestExport::commandLine()
{
    QFETCH(QString, arguments);
    QFETCH(QString, error);
    QFETCH(QList<int>, asked);
    const CommandLine::Parsed parsed = CommandLine::parse(QList<QByteArray>{"tamsel"} + arguments.toLatin1().split(' '));
    QCOMPARE(parsed.failed, !error.isEmpty());
    QVERIFY2(parsed.text.contains(error) && !(parsed.failed && parsed.text.trimmed().contains('\n')), qPrintable(parsed.text));
    if (!asked.isEmpty()) {
        const PageView &v = parsed.job->view;
        QCOMPARE((QList<int>{v.page, v.value, v.step, v.inner.width(), v.inner.height(), v.weight.factor()}), asked);
    }
}

void TestExport::sheetColoursAndInk_data()
{
    QTest::addColumn<bool>("darkOnWhite");
    QTest::addColumn<QColor>("disc");
    QTest::newRow("board's colours") << false << QColor(0, 0, 255);
    // Blue thinned to a fifth of full ink in red and green: 255 − 51.
    QTest::newRow("dark on white") << true << QColor(204, 204, 255);
}

// The arc page at 200 × 150 onto a 400 × 300 sheet: twice the size. Its disc
// has M = 148, radius 74 about (100, 75); the ink's unit is that radius. A
// white stroke half a radius above the centre lands at (200, 76) on the sheet.
void TestExport::sheetColoursAndInk()
{
    QFETCH(bool, darkOnWhite);
    QFETCH(QColor, disc);
    QImage sheet(400, 300, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    const Stroke stroke{0xffffffff, 0.1f, {{-0.3f, -0.5f, 1}, {0.3f, -0.5f, 1}}};
    QPainter painter(&sheet);
    SheetRenderer::paintSheet(painter, sheet.rect(), {{1, Size(200, 150), 360, 0, {}, false}, {&stroke}},
                              darkOnWhite ? PainterDrawOps::Look::DarkOnWhite : PainterDrawOps::Look::Board);
    painter.end();
    QCOMPARE(sheet.pixelColor(3, 3), darkOnWhite ? QColor(Qt::white) : QColor(0, 128, 0));
    QCOMPARE(sheet.pixelColor(200, 200), disc);
    const QColor ink = sheet.pixelColor(200, 76);
    QCOMPARE(ink.red(), ink.blue());
    QVERIFY(darkOnWhite ? PenPalette::contrastRatio(toCore(ink), toCore(Qt::white)) >= 4.5 : ink == QColor(Qt::white));
}

void TestExport::inkLeavingThePicture_data()
{
    // A 6 px white stroke on the blank page, whose units are the picture's
    // pixels, onto a sheet of the picture's own size; `on` lies on the stroke.
    QTest::addColumn<QPointF>("from");
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<QPoint>("on");
    QTest::newRow("dragged off the bottom edge") << QPointF(300, 200) << QPointF(480, 700) << QPoint(336, 300);
    QTest::newRow("across, both ends far outside") << QPointF(-400, 185) << QPointF(900, 185) << QPoint(263, 185);
    QTest::newRow("ending just off the top") << QPointF(100, 100) << QPointF(100, -50) << QPoint(100, 20);
}

void TestExport::inkLeavingThePicture()
{
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    QFETCH(QPoint, on);
    QImage sheet(Convert::toQt(PageRenderer::kDesignInner), QImage::Format_RGB32);
    const Stroke stroke{0xffffffff, 6, {{float(from.x()), float(from.y()), 1}, {float(to.x()), float(to.y()), 1}}};
    QPainter painter(&sheet);
    const int blank = PageTable::blank();
    SheetRenderer::paintSheet(painter, sheet.rect(), {{blank, toCore(sheet.size()), 0, 0, {}, false}, {&stroke}},
                              PainterDrawOps::Look::Board);
    painter.end();
    QCOMPARE(sheet.pixelColor(on), QColor(Qt::white));
}

// At 5 units to the millimetre the radius is 300 units about the paper's centre.
// Turned half round, 6 reads 9, 16 reads 91 and 61 reads 19; 8, 11 and 69
// read themselves, 10 reads "01", and 7 or 25 read as no number.
void TestExport::cutOutNumbersTurnedOver_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("underlined");
    for (int v : {6, 9, 16, 18, 19, 61, 66, 68})
        QTest::addRow("%d reads as another", v) << v << true;
    for (int v : {1, 7, 8, 10, 11, 25, 60, 69})
        QTest::addRow("%d does not", v) << v << false;
}

void TestExport::cutOutNumbersTurnedOver()
{
    QFETCH(int, value);
    QFETCH(bool, underlined);
    QCOMPARE(CutOutCircle::readsOtherTurned(value), underlined);
    const CutOutCircle circle = CutOutCircle::compute(ParallelogramFigure::kMaxHalf);
    if (value <= int(circle.numbers.size()))
        QCOMPARE(circle.numbers.at(std::size_t(value - 1)).underlined, underlined);
}

// Where the board's colours show a letter's white fill, white paper shows it
// dark: the letters print filled, not as hollow outlines.
void TestExport::aidsPrintFilledOnWhitePaper()
{
    QImage board(526, 370, QImage::Format_RGB32), paper = board;
    for (auto [image, look] : {std::pair{&board, PainterDrawOps::Look::Board}, {&paper, PainterDrawOps::Look::DarkOnWhite}}) {
        QPainter painter(image);
        SheetRenderer::paintSheet(painter, image->rect(), {{0, Size(526, 370), 6, 0, {}, true}, {}}, look);
    }
    int letterPixels = 0;
    for (int y = 0; y < board.height(); ++y)
        for (int x = 0; x < board.width(); ++x)
            if (board.pixelColor(x, y).lightness() >= 240 && ++letterPixels)
                QVERIFY(PenPalette::contrastRatio(toCore(paper.pixelColor(x, y)), toCore(Qt::white)) >= 4.5);
    QVERIFY(letterPixels > 100);
}

void TestExport::paperLaysLittleInk_data()
{
    QTest::addColumn<PageView>("view");
    const Size design = PageRenderer::kDesignInner;
    const LineWeight heavy = *LineWeight::fromFactor(3);
    QTest::newRow("polygon, aids, paper, squares") << PageView{0, design, 12, 0, heavy, true, 0, true, 10, true, true};
    QTest::newRow("the whole disc") << PageView{1, design, 360, 0, {}};
    QTest::newRow("a sector, aids, its squares counted") << PageView{1, design, 270, 0, {}, true, 0, true, 5, true};
    QTest::newRow("sectors half moved") << PageView{2, design, 8, 8, heavy};
    QTest::newRow("sectors all moved, aids, paper") << PageView{2, design, 8, 16, {}, true, 0, false, 8, true};
}

// By the rules for paper: white, no fill laying more than a fifth of full ink in a channel (none
// below 204), every line and letter at least 4.5:1 on white.
void TestExport::paperLaysLittleInk()
{
    QFETCH(PageView, view);
    RecordingOps calls(view.inner.width(), view.inner.height());
    PaperDrawOps paper(calls);
    PageRenderer::paint(paper, view, QtTextMeasure::instance());
    const auto reads = [](const Color &c) { return PenPalette::contrastRatio(c, Color(255, 255, 255)) >= 4.5; };
    const auto light = [](const Color &c) { return std::min({c.red(), c.green(), c.blue()}) >= 204; };
    QCOMPARE(calls.cleared, std::vector<Color>{Color(255, 255, 255)});
    int fills = 0;
    for (const LineCall &l : calls.lines())
        QVERIFY(reads(l.color));
    for (const CircleCall &c : calls.circles())
        QVERIFY((c.style == DrawStyle::Invisible || reads(c.outline)) && (!c.fill || (++fills && light(*c.fill))));
    for (const BoxCall &b : calls.boxes())
        QVERIFY(b.line ? reads(b.fill) : ++fills && light(b.fill));
    for (const TextCall &t : calls.texts())
        QVERIFY(reads(t.color));
    QVERIFY(fills > 0);
}

void TestExport::cutOutCircleIsSixCentimetres()
{
    QImage paper(700, 700, QImage::Format_RGB32);
    paper.fill(Qt::white);
    QPainter painter(&paper);
    CutOutSheet::paint(painter, paper.rect(), 5, 4, {});
    painter.end();
    const auto firstInk = [&](QPoint from, QPoint step) {
        for (QPoint p = from; paper.rect().contains(p); p += step)
            if (paper.pixel(p) != qRgb(255, 255, 255))
                return (p - from).manhattanLength();
        return -1;
    };
    // The 3-pixel outline at a quarter millimetre a pixel reaches about 2 units out.
    for (const QPoint &step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, -1)}) {
        const int edge = firstInk(QPoint(350, 350) - 349 * step, step);
        QVERIFY2(edge >= 349 - 300 - 3 && edge <= 349 - 300, qPrintable(QString::number(edge)));
    }
    QCOMPARE(paper.pixelColor(390, 500), QColor(255, 255, 192));
    QCOMPARE(paper.pixelColor(390, 200), QColor(128, 255, 128));
}

void TestExport::failedWriteLeavesNoFile()
{
    QTemporaryDir dir;
    const QString aFile = dir.filePath("a.png");
    const QImage image = PageExport::image({0, Size(60, 40), 5, 0, {}, false}, {});
    QVERIFY(!PageExport::writeImage(aFile, image));
    QCOMPARE(QImage(aFile), image);
    const QString underAFile = aFile + "/b.png";
    QVERIFY(PageExport::writeImage(underAFile, image));
    QVERIFY(PageExport::writePdf(underAFile, PageExport::a4Landscape(), {}, PainterDrawOps::Look::Board));
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"a.png"});
#ifndef Q_OS_UNIX
    QSKIP("no limit on a file's size to stand for a full disk here");
#else
    // A limit on a file's size refuses bytes as a full disk does: with a little room a write is cut short
    // without a word, and only the rest, tried again, fails. Writes of 16 KiB or more skip Qt's buffer.
    rlimit limit{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &limit) == 0);
    std::signal(SIGXFSZ, SIG_IGN);
    const SheetRenderer::Sheet busy{{0, Size(1000, 800), 64, 0, {}, true, 0, false, 10, true, true}, {}};
    for (const rlim_t room : {rlim_t(0), rlim_t(1024)}) {
        const rlimit full{room, limit.rlim_max};
        QVERIFY(setrlimit(RLIMIT_FSIZE, &full) == 0);
        const QStringList reasons{SafeWrite::bytes(aFile, QByteArray(4096, 'i')).value_or(""),
                                  SafeWrite::bytes(aFile, QByteArray(64 << 10, 'i')).value_or(""),
                                  PageExport::writeImage(aFile, image).value_or(""),
                                  PageExport::writePdf(aFile, PageExport::a4Landscape(), {}, PainterDrawOps::Look::Board).value_or(""),
                                  PageExport::writePdf(aFile, PageExport::pictureLayout({1000, 800}), {busy},
                                                       PainterDrawOps::Look::Board).value_or("")};
        setrlimit(RLIMIT_FSIZE, &limit);
        QCOMPARE(reasons, QStringList(5, qt_error_string(EFBIG)));
        QCOMPARE(QImage(aFile), image);
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"a.png"});
    }
#endif
}

void TestExport::writesOnlyRegularFiles_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("a pipe") << "";
    QTest::newRow("a link to a file") << "kept";
    QTest::newRow("a link to nowhere") << "nowhere";
}

// Whatever stands at the name stays as it was, and what a link leads to too.
void TestExport::writesOnlyRegularFiles()
{
    QFETCH(QString, target);
    QTemporaryDir dir;
    const QString path = dir.filePath("x.png");
    QFile kept(dir.filePath("kept"));
    QVERIFY(kept.open(QIODevice::WriteOnly) && kept.write("kept") == 4);
    kept.close();
    QVERIFY(target.isEmpty() ? mkfifo(QFile::encodeName(path), 0600) == 0 : QFile::link(dir.filePath(target), path));
    for (const std::optional<QString> &refused :
         {SafeWrite::bytes(path, "ink"), PageExport::writeImage(path, QImage(8, 8, QImage::Format_RGB32)),
          PageExport::writePdf(path, PageExport::a4Landscape(), {}, PainterDrawOps::Look::Board)})
        QVERIFY(refused && !refused->contains('\n'));
    const QFileInfo left(path);
    QVERIFY(target.isEmpty() ? !left.isFile() && left.exists() : left.isSymLink());
    QVERIFY(!QFile::exists(dir.filePath("nowhere")) && kept.open(QIODevice::ReadOnly) && kept.readAll() == "kept");
}

// A page drawn for a file or paper shows the aids when asked: 12 sides give 3.106.
void TestExport::pagesCarryTheirAids()
{
    for (const bool aids : {false, true}) {
        const PageView view{kPolygonPage, PageRenderer::kDesignInner, 12, 0, LineWeight(), aids, 0};
        RecordingOps ops(view.inner.width(), view.inner.height());
        PageRenderer::paint(ops, view, QtTextMeasure::instance());
        const auto texts = ops.texts();
        QCOMPARE(std::any_of(texts.begin(), texts.end(), [](const TextCall &t) { return t.text.ends_with("3.106"); }),
                 aids);
    }
}

QTEST_MAIN(TestExport)
#include "tst_export.moc"
