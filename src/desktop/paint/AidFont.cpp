#include "AidFont.h"

#include <QStringList>

namespace AidFont {

QFont font(int pixelSize)
{
    static const QStringList kFamilies = {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック"),
                                          QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic"),
                                          QStringLiteral("sans-serif")};
    QFont f;
    f.setFamilies(kFamilies);
    f.setStyleHint(QFont::SansSerif);
    f.setWeight(QFont::Normal);
    f.setPixelSize(qMax(1, pixelSize));
    return f;
}

} // namespace AidFont
