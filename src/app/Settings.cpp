#include "Settings.h"

#include "PenPalette.h"

#include <QSettings>

namespace {

const QString kWeightKey = QStringLiteral("lineWeight");
QString penKey(int page) { return QStringLiteral("page%1/penColour").arg(page); }

} // namespace

Settings::Settings(QSettings &store, int pageCount) : m_store(store), m_pageCount(pageCount) {}

Settings::Choices Settings::read() const
{
    const QColor designPen = PenPalette::pens().front().colour;
    Choices choices{LineWeight(), QList<QColor>(m_pageCount, designPen)};
    if (m_store.status() != QSettings::NoError)
        return choices;

    bool isNumber = false;
    const int factor = m_store.value(kWeightKey).toString().toInt(&isNumber);
    if (isNumber)
        choices.weight = LineWeight::fromFactor(factor).value_or(LineWeight());
    for (int page = 0; page < m_pageCount; ++page) {
        const QColor pen = QColor::fromString(m_store.value(penKey(page)).toString());
        if (PenPalette::offers(pen))
            choices.pens[page] = pen;
    }
    return choices;
}

void Settings::write(const Choices &choices)
{
    m_store.setValue(kWeightKey, choices.weight.factor());
    for (int page = 0; page < m_pageCount && page < choices.pens.size(); ++page)
        m_store.setValue(penKey(page), choices.pens[page].name());
    m_store.sync();
}
