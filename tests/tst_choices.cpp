#include "LineWeight.h"
#include "PenPalette.h"
#include "Settings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// The page menu's choices as data, and how they survive a settings file.
class TestChoices : public QObject
{
    Q_OBJECT
private slots:
    void pensInMenuOrder_data();
    void pensInMenuOrder();
    void weightSteps_data();
    void weightSteps();
    void settingsFile_data();
    void settingsFile();
};

void TestChoices::pensInMenuOrder_data()
{
    // Ratios worked by hand against the board's (0,128,0), whose luminance is 0.1544.
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<double>("contrast");
    QTest::newRow("white") << 1 << "白" << QColor(255, 255, 255) << 5.137;
    QTest::newRow("yellow chalk") << 2 << "黄" << QColor(255, 255, 0) << 4.784;
    QTest::newRow("the swatch's red") << 3 << "赤" << QColor(255, 0, 0) << 1.285;
    QTest::newRow("the swatch's blue") << 4 << "青" << QColor(0, 0, 255) << 1.673;
    QTest::newRow("pink chalk") << 5 << "桃" << QColor(255, 192, 224) << 3.393;
    QTest::newRow("light blue chalk") << 6 << "水色" << QColor(128, 224, 255) << 3.431;
}

void TestChoices::pensInMenuOrder()
{
    QFETCH(int, key);
    QFETCH(QString, name);
    QFETCH(QColor, colour);
    QFETCH(double, contrast);
    QCOMPARE(PenPalette::pens().at(key - 1).colour, colour);
    QCOMPARE(PenPalette::nameOf(colour), name);
    const double ratio = PenPalette::contrastRatio(colour, QColor(0, 128, 0));
    QVERIFY2(qAbs(ratio - contrast) < 0.001, qPrintable(QString::number(ratio)));
    // Only the design's own red and blue may read poorly on the board.
    QVERIFY(ratio >= 3 || colour == QColor(255, 0, 0) || colour == QColor(0, 0, 255));
}

void TestChoices::weightSteps_data()
{
    QTest::addColumn<int>("factor");
    QTest::addColumn<int>("heavier");
    QTest::addColumn<int>("lighter");
    QTest::newRow("標準") << 1 << 2 << 1;
    QTest::newRow("太い") << 2 << 3 << 1;
    QTest::newRow("特大 is the heaviest") << 3 << 3 << 2;
    QTest::newRow("0 is no weight") << 0 << 0 << 0;
    QTest::newRow("4 is no weight") << 4 << 0 << 0;
}

void TestChoices::weightSteps()
{
    QFETCH(int, factor);
    QFETCH(int, heavier);
    QFETCH(int, lighter);
    const std::optional<LineWeight> w = LineWeight::fromFactor(factor);
    QCOMPARE(w.has_value(), heavier != 0);
    if (w) {
        QCOMPARE(w->heavier().factor(), heavier);
        QCOMPARE(w->lighter().factor(), lighter);
    }
}

void TestChoices::settingsFile_data()
{
    // What the file holds (none: no file), then the weight and pages 0 and 1 read back.
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("weight");
    QTest::addColumn<QColor>("pen0");
    QTest::addColumn<QColor>("pen1");
    const QColor white(255, 255, 255), yellow(255, 255, 0), pink(255, 192, 224);
    QTest::newRow("no file") << QByteArray() << 1 << white << white;
    QTest::newRow("as written") << QByteArray("lineWeight=3\n[page0]\npenColour=#ffc0e0\n[page1]\npenColour=#ffff00\n")
                                << 3 << pink << yellow;
    QTest::newRow("weight 0") << QByteArray("lineWeight=0\n[page1]\npenColour=#ffff00\n") << 1 << white << yellow;
    QTest::newRow("weight 4") << QByteArray("lineWeight=4\n") << 1 << white << white;
    QTest::newRow("weight 2.5") << QByteArray("lineWeight=2.5\n") << 1 << white << white;
    QTest::newRow("weight as text") << QByteArray("lineWeight=heavy\n") << 1 << white << white;
    QTest::newRow("weight as a list") << QByteArray("lineWeight=2, 3\n") << 1 << white << white;
    QTest::newRow("weight as a rectangle") << QByteArray("lineWeight=@Rect(1 2 3 4)\n") << 1 << white << white;
    QTest::newRow("pen not on offer") << QByteArray("lineWeight=2\n[page0]\npenColour=#123456\n") << 2 << white << white;
    QTest::newRow("pen not a colour") << QByteArray("[page0]\npenColour=chalk\n") << 1 << white << white;
    QTest::newRow("corrupt: all defaults") << QByteArray("[General\nlineWeight=3\n") << 1 << white << white;
    QTest::newRow("binary junk") << QByteArray("\x00\xff\xfe[[[=\n\x01", 9) << 1 << white << white;
}

void TestChoices::settingsFile()
{
    QFETCH(QByteArray, file);
    QFETCH(int, weight);
    QFETCH(QColor, pen0);
    QFETCH(QColor, pen1);
    QTemporaryDir dir;
    const QString path = dir.filePath("Tamsel.conf");
    if (!file.isNull()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(file);
    }
    QSettings store(path, QSettings::IniFormat);
    const Settings::Choices read = Settings(store, 4).read();
    QCOMPARE(read.weight.factor(), weight);
    QCOMPARE(read.pens, (QList<QColor>{pen0, pen1, QColor(255, 255, 255), QColor(255, 255, 255)}));

    // What is read back is what is written, and the next run reads it the same.
    Settings(store, 4).write(read);
    QSettings again(path, QSettings::IniFormat);
    QCOMPARE(Settings(again, 4).read().pens, read.pens);
    QCOMPARE(Settings(again, 4).read().weight, read.weight);
}

QTEST_APPLESS_MAIN(TestChoices)
#include "tst_choices.moc"
