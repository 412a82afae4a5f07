#include "DesignFont.h"

#include <QStringList>

namespace DesignFont {

namespace {
const QString kFamily = QStringLiteral("ＭＳ 明朝");
}

void registerSubstitutes()
{
    const QStringList installed = {QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝"),
                                   QStringLiteral("Noto Serif CJK JP"), QStringLiteral("serif")};
    QFont::insertSubstitutions(kFamily, installed);
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
