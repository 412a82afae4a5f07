#include "DesignFont.h"

#include <QStringList>

namespace DesignFont {

namespace {
const QString kFamily = QStringLiteral("ＭＳ 明朝");
}

// Where the design's face itself is missing: the Mincho installed with the
// program on Linux, or the one Windows or macOS brings.
void registerSubstitutes()
{
    const QStringList minchos = {QStringLiteral("IPAMincho"),         QStringLiteral("IPA明朝"),
                                 QStringLiteral("Noto Serif CJK JP"), QStringLiteral("Yu Mincho"),
                                 QStringLiteral("MS Mincho"),         QStringLiteral("Hiragino Mincho ProN"),
                                 QStringLiteral("serif")};
    QFont::insertSubstitutions(kFamily, minchos);
}

QFont font(double pointSize)
{
    QFont f(kFamily);
    f.setPointSizeF(pointSize);
    f.setWeight(QFont::Normal);
    f.setStyleHint(QFont::Serif);
    return f;
}

} // namespace DesignFont
