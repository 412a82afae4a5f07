#include "PaintWatch.h"

#include <QEvent>

PaintWatch::PaintWatch(QObject *watched) : m_watched(watched)
{
    m_watched->installEventFilter(this);
}

PaintWatch::~PaintWatch()
{
    m_watched->removeEventFilter(this);
}

bool PaintWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint) {
        const QString name = QString::fromLatin1(watched->metaObject()->className());
        ++m_byWidget[name + QLatin1Char(' ') + watched->objectName()];
        if (m_count++ == 0 && m_onFirst)
            m_onFirst();
    }
    return false;
}
