#include "AidFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace AidFont {

namespace {

// Gothic faces in order of preference: the one installed with the program on
// Linux, then those that come with Windows and macOS.
const QStringList kGothics = {QStringLiteral("IPAPGothic"),       QStringLiteral("IPA Pゴシック"),
                              QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic"),
                              QStringLiteral("Yu Gothic"),        QStringLiteral("Meiryo"),
                              QStringLiteral("Hiragino Sans"),    QStringLiteral("Hiragino Kaku Gothic ProN")};
// Whatever sans-serif face the system has, last.
const QString kLastResort = QStringLiteral("sans-serif");

QStringList installedGothics()
{
    const QStringList installed = QFontDatabase::families();
    QStringList found;
    for (const QString &family : kGothics)
        if (installed.contains(family, Qt::CaseInsensitive))
            found << family;
    return found << kLastResort;
}

} // namespace

QFont font(int pixelSize)
{
    static const QStringList families = installedGothics();
    QFont f;
    f.setFamilies(families);
    f.setStyleHint(QFont::SansSerif);
    f.setWeight(QFont::Normal);
    f.setPixelSize(qMax(1, pixelSize));
    return f;
}

} // namespace AidFont
