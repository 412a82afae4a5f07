#pragma once

#include "StoredChoices.h"

class QSettings;

// The choices kept between runs in QSettings, read and checked by the core's
// rules. The store is untrusted: a value missing, of the wrong type or out of
// range, or a store that cannot be read, gives the design default.
class Settings
{
public:
    Settings(QSettings &store, int pageCount);

    core::StoredChoices::Choices read() const;
    // Written at once, so a machine switched off keeps them.
    void write(const core::StoredChoices::Choices &choices);

private:
    QSettings &m_store;
    int m_pageCount;
};
