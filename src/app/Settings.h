#pragma once

#include "LineWeight.h"

#include <QColor>
#include <QList>

class QSettings;

// The choices kept between runs: the line weight and each page's pen colour.
// The store is untrusted: a value missing, of the wrong type or out of range,
// or a store that cannot be read, gives the design default.
class Settings
{
public:
    struct Choices
    {
        LineWeight weight;
        QList<QColor> pens; // one a page
    };

    Settings(QSettings &store, int pageCount);

    Choices read() const;
    // Written at once, so a machine switched off keeps them.
    void write(const Choices &choices);

private:
    QSettings &m_store;
    int m_pageCount;
};
