#include "BoardChooser.h"
#include "BoardOutput.h"
#include "InkKeeping.h"
#include "InkStore.h"
#include "PageTable.h"
#include "PictureBox.h"
#include "QtDialogs.h"
#include "Scriba.h"
#include "ScrollBar.h"
#include "SheetChoices.h"
#include "Strokes.h"
#include "TabControl.h"
#include "Timer.h"
#include "WindowFixture.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestTamsel : public QObject
{
    Q_OBJECT
private slots:
    void startsWithDesignValues();
    void overlaysLieAboveTheirPictures();
    void paintHandsTheOverlayItsArea();
    void idleWindowPaintsNothing();
    void polygonFollowsThumbDrag();
    void strokesShowOverTheFigure();
    void savedImageIsTheScreen_data();
    void savedImageIsTheScreen();
    void inkIsKeptButRestoredOnlyWhenAsked();
    void failedSavingIsShownOnce();
    void restoreOffersEarlierBoards();
    void boardNearTheCap_data();
    void boardNearTheCap();
    void qtDialogsSpeakJapanese_data();
    void qtDialogsSpeakJapanese();
    void printsOnWhitePaperUnlessAsked();
};

void TestTamsel::startsWithDesignValues()
{
    Tamsel w;
    QVERIFY(showWindow(w));
    QCOMPARE(w.windowTitle(), QStringLiteral("正多角形と円の面積の学習"));
    QCOMPARE(w.size(), QSize(548, 469));
    QCOMPARE(w.MainTab->Tab(), 0);
    QCOMPARE(w.MainTab->TabHeight(), 20);
    QCOMPARE(w.PolyLabel->text(), QStringLiteral("3"));
    QCOMPARE(w.CirLabel->text(), QStringLiteral("360"));
    QCOMPARE(w.ccLabel->text(), QStringLiteral("8"));
    QCOMPARE(w.PolyScroll->value(), 3);
    QCOMPARE(w.CirScroll->value(), 360);
    QCOMPARE(w.ccScroll->value(), 4);
    QCOMPARE(w.lesson().step(), 0);
    QVERIFY(!w.MainTimer->Enabled());
    QCOMPARE(w.MainTimer->Interval(), 350);
    QCOMPARE(w.ccButton->text(), QStringLiteral("開始"));
    QVERIFY(QFontInfo(w.font()).family().contains("Mincho") || QFontInfo(w.font()).family().contains("明朝"));
    for (int i = 0; i < w.pageCount(); ++i)
        QCOMPARE(w.Scriba[i]->ForeColor(), Tamsel::kWhite);
}

void TestTamsel::overlaysLieAboveTheirPictures()
{
    Tamsel w;
    const QWidget *pictures[] = {w.PolyPic, w.CirPic, w.ccPic, w.WhPic, w.picture(4)};
    for (int i = 0; i < w.pageCount(); ++i) {
        const QObjectList siblings = w.Scriba[i]->parentWidget()->children();
        QCOMPARE(siblings.last(), w.Scriba[i]);
        QVERIFY(siblings.contains(const_cast<QWidget *>(pictures[i])));
    }
}

void TestTamsel::paintHandsTheOverlayItsArea()
{
    Tamsel w;
    QVERIFY(showWindow(w));
    w.PolyPic->Refresh();
    QCOMPARE(w.Scriba[0]->lastRedrawRect(), QRect(0, 0, 524, 368));
}

void TestTamsel::idleWindowPaintsNothing()
{
    Tamsel w;
    QVERIFY(showWindow(w));
    QTest::qWait(100);
    PaintCounter paints;
    QTest::qWait(500);
    QCOMPARE(paints.total(), 0);
    // A stroke repaints once, then all is still again.
    mouseStroke(w.Scriba[0], {{20, 20}, {40, 40}});
    QTest::qWait(100);
    paints.reset();
    QTest::qWait(500);
    QCOMPARE(paints.total(), 0);
}

void TestTamsel::polygonFollowsThumbDrag()
{
    Tamsel w;
    QVERIFY(showWindow(w));
    PaintCounter paints;
    w.PolyScroll->setSliderDown(true);
    w.PolyScroll->setSliderPosition(6);
    QCOMPARE(w.PolyLabel->text(), QStringLiteral("6"));
    QVERIFY(paints.of(w.PolyPic) >= 1);
    w.PolyScroll->setSliderDown(false);
    w.PolyScroll->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(w.PolyLabel->text(), QStringLiteral("7"));
}

void TestTamsel::strokesShowOverTheFigure()
{
    Tamsel w;
    QVERIFY(showWindow(w));
    mouseStroke(w.Scriba[0], {{10, 100}, {200, 100}});
    w.PolyPic->Refresh();
    const QImage shot = w.grab().toImage();
    const QPoint onStroke = w.Scriba[0]->mapTo(&w, QPoint(100, 100));
    const QPoint offStroke = w.Scriba[0]->mapTo(&w, QPoint(100, 130));
    QCOMPARE(shot.pixelColor(onStroke), QColor(Qt::white));
    QCOMPARE(shot.pixelColor(offStroke), Tamsel::kFigureBackground);
}

void TestTamsel::savedImageIsTheScreen_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("weight");
    QTest::newRow("polygon") << 0 << 1;
    QTest::newRow("arc, heaviest") << 1 << 3;
    QTest::newRow("sectors moving, heavy") << 2 << 2;
    QTest::newRow("blank") << 3 << 1;
}

// What Ctrl+S saves is what the window shows in the picture's inner area.
void TestTamsel::savedImageIsTheScreen()
{
    QFETCH(int, page);
    QFETCH(int, weight);
    Tamsel w;
    QVERIFY(showWindow(w));
    w.MainTab->setTab(page);
    w.lesson().setWeight(core::LineWeight::fromFactor(weight).value());
    w.lesson().stepSectors(5);
    mouseStroke(w.Scriba[page], {{0, 60}, {150, 100}, {400, 90}});
    const PictureBox *pictures[] = {w.PolyPic, w.CirPic, w.ccPic, w.WhPic};
    const QRect inner = pictures[page]->contentsRect().translated(pictures[page]->mapTo(&w, QPoint()));
    const QImage screen = w.grab(inner).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage saved = w.findChild<BoardOutput *>()->pageImage();
    QCOMPARE(saved.size(), inner.size());
    QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), screen);
}

// Saved within 2 s of a stroke; the next start shows a clean board until
// the restore is asked for, which one undo takes back.
void TestTamsel::inkIsKeptButRestoredOnlyWhenAsked()
{
    QTemporaryDir dir;
    {
        Tamsel w;
        new InkKeeping(w, dir.path());
        QVERIFY(showWindow(w));
        mouseStroke(w.Scriba[2], {{20, 20}, {60, 40}});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(InkStore(dir.path(), w.pageCount()).currentPath()), 2000);
    }
    Tamsel w;
    auto *keeping = new InkKeeping(w, dir.path());
    QVERIFY(showWindow(w));
    QVERIFY(w.Scriba[2]->ink().strokes().empty());
    keeping->restoreLast();
    QTRY_COMPARE(w.Scriba[2]->ink().strokes().size(), std::size_t(1));
    QCOMPARE(w.Scriba[2]->ink().strokes().front()->points.size(), std::size_t(2));
    QVERIFY(w.Scriba[2]->undo());
    QVERIFY(w.Scriba[2]->ink().strokes().empty());
}

// Two earlier boards with ink and a newer empty one: the two are offered,
// newest first, one 160 × 113 thumbnail (526 × 370 at 160/526) a page with
// ink; the older one chosen comes back.
void TestTamsel::restoreOffersEarlierBoards()
{
    QTemporaryDir dir;
    const std::size_t pages = std::size_t(core::PageTable::count());
    const QDateTime older = QDateTime::currentDateTime().addSecs(-3600), newer = older.addSecs(600);
    core::InkFile::Board two(pages), one(pages);
    two[0] = two[2] = one[1] = {{0xffffffff, 0.05f, {{0, 0, 1}, {0.5f, 0.5f, 1}}}};
    for (const auto &[name, board, at] : {std::tuple{"a", two, older}, {"b", one, newer}, {"c", core::InkFile::Board(pages), newer}}) {
        QFile file(dir.filePath(QStringLiteral("board-%1.ink").arg(name)));
        const core::InkFile::Bytes bytes = core::InkFile::encode(board, core::PageTable::ids()).value();
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(reinterpret_cast<const char *>(bytes.data()), qint64(bytes.size())) &&
                file.flush() && file.setFileTime(at, QFileDevice::FileModificationTime));
    }
    Tamsel w;
    auto *keeping = new InkKeeping(w, dir.path());
    QVERIFY(showWindow(w));
    keeping->chooseBoard();
    QTRY_VERIFY(w.findChild<BoardChooser *>() && w.findChild<BoardChooser *>()->isVisible());
    auto *list = w.findChild<BoardChooser *>()->findChild<QListWidget *>();
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), BoardChooser::timeText(newer));
    QCOMPARE(list->item(0)->icon().availableSizes().front(), QSize(160, 113));
    QVERIFY(list->item(1)->icon().availableSizes().front().width() > 2 * 160);
    list->setCurrentRow(1);
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_COMPARE(w.Scriba[2]->ink().strokes().size(), std::size_t(1));
    QVERIFY(w.Scriba[0]->ink().strokes().size() == 1 && w.Scriba[1]->ink().strokes().empty());
}

// A folder under a plain file can never be made, as on a full or read-only disk.
void TestTamsel::failedSavingIsShownOnce()
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Tamsel w;
    auto *keeping = new InkKeeping(w, dir.filePath("blocker/ink"));
    QSignalSpy failures(&keeping->autosave(), &InkAutosave::failed);
    QVERIFY(showWindow(w));
    const auto shownNotice = [&w]() -> QLabel * {
        for (QLabel *label : w.findChildren<QLabel *>())
            if (label->isVisible() && label->text().startsWith("書き込みを自動で保存できません"))
                return label;
        return nullptr;
    };
    mouseStroke(w.Scriba[0], {{20, 20}, {60, 40}});
    QTRY_VERIFY_WITH_TIMEOUT(shownNotice() != nullptr, 3000);
    shownNotice()->hide();
    mouseStroke(w.Scriba[0], {{30, 20}, {70, 40}});
    QTRY_COMPARE_WITH_TIMEOUT(failures.size(), 2, 3000);
    QVERIFY(shownNotice() == nullptr);
}

// A file holds its header and CRC, each page's id and count, 12 bytes a stroke
// and 12 a point: this board of one stroke, on page 1 far off its picture, fills it.
void TestTamsel::boardNearTheCap_data()
{
    QTest::addColumn<bool>("inkFirst");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<int>("filePages");
    const int pages = core::PageTable::count();
    QTest::newRow("ink, then the board: refused, ink still saved") << true << "今の書き込みに前回の書き込みを加えると" << pages;
    QTest::newRow("the board, then ink: too much to save") << false << "書き込みが多すぎるため" << pages;
    // Two pages fill 64 MiB to the byte; read into more pages, their empty
    // counts take it past the cap, with nothing on the board to erase.
    QTest::newRow("a full file of two pages") << false << "前回の書き込みのファイルが大きすぎる" << 2;
}

// The window's timer runs on while the board is read, until it is on the page or refused.
void TestTamsel::boardNearTheCap()
{
    QFETCH(bool, inkFirst);
    QFETCH(QString, notice);
    QFETCH(int, filePages);
    QTemporaryDir dir;
    const int pages = core::PageTable::count();
    const InkStore store(dir.path(), pages);
    core::InkFile::PageIds ids = core::PageTable::ids();
    ids.resize(std::size_t(filePages));
    core::InkFile::Board board(std::size_t(filePages), std::vector<core::Stroke>{});
    const std::int64_t empty = core::InkFile::emptyBoardBytes(ids);
    board[1] = {{0xffffffff, 1, std::vector<core::InkPoint>((core::InkFile::kMaxBytes - empty - 12) / 12, {1e3, 1e3, 1})}};
    QVERIFY(!store.save(core::InkFile::encode(board, ids).value()));
    Tamsel w;
    auto *keeping = new InkKeeping(w, dir.path());
    QVERIFY(showWindow(w));
    const auto shown = [&] {
        const auto showing = [&](QLabel *l) { return l->isVisible() && l->text().startsWith(notice); };
        return std::ranges::count_if(w.findChildren<QLabel *>(), showing);
    };
    if (inkFirst)
        mouseStroke(w.Scriba[0], {{20, 20}, {60, 40}});
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] { ticks += w.Scriba[1]->ink().strokes().empty() && !shown(); });
    timer.start(1);
    keeping->restoreLast();
    QTRY_COMPARE_WITH_TIMEOUT(qsizetype(w.Scriba[1]->ink().strokes().size()) + shown(), qsizetype(1), 60000);
    mouseStroke(w.Scriba[0], {{30, 20}, {70, 40}});
    QTRY_COMPARE_WITH_TIMEOUT(shown(), qsizetype(1), 10000);
    // The file is missing for a moment while the last run's is set aside.
    const auto keptOnFirstPage = [&] {
        const core::InkFile::Read read = InkStore::load(store.currentPath(), pages);
        return read.board.empty() ? std::size_t(0) : read.board[0].size();
    };
    if (inkFirst)
        QTRY_COMPARE_WITH_TIMEOUT(keptOnFirstPage(), std::size_t(2), 10000);
    QVERIFY(ticks > 0);
}

void TestTamsel::qtDialogsSpeakJapanese_data()
{
    QTest::addColumn<QByteArray>("context");
    QTest::addColumn<QByteArray>("english");
    QTest::addColumn<QString>("japanese");
    QTest::newRow("dialog button") << QByteArray("QPlatformTheme") << QByteArray("Cancel") << QString("キャンセル");
    QTest::newRow("save dialog's name field") << QByteArray("QFileDialog") << QByteArray("File &name:")
                                              << QString("ファイル名(&N):");
    QTest::newRow("print dialog's button") << QByteArray("QPrintDialog") << QByteArray("&Print") << QString("印刷(&P)");
    QTest::newRow("print options Qt leaves in English") << QByteArray("QPrintSettingsOutput")
                                                        << QByteArray("Double Sided Printing") << QString("両面印刷");
}

void TestTamsel::qtDialogsSpeakJapanese()
{
    QFETCH(QByteArray, context);
    QFETCH(QByteArray, english);
    QFETCH(QString, japanese);
    static const bool installed = QtDialogs::speakJapanese(*QCoreApplication::instance());
    QVERIFY2(installed, "qtbase_ja.qm not found: install qt6-translations-l10n");
    QCOMPARE(QCoreApplication::translate(context.constData(), english.constData()), japanese);
}

// A page in the board's colours is a page of toner: white paper unless chosen.
void TestTamsel::printsOnWhitePaperUnlessAsked()
{
    const SheetChoices choices(4);
    QCOMPARE(choices.choice().look, PainterDrawOps::Look::DarkOnWhite);
    QVERIFY(!choices.choice().allPages);
}

QTEST_MAIN(TestTamsel)
#include "tst_tamsel.moc"
