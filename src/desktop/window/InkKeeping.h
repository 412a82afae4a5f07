#pragma once

#include "InkAutosave.h"
#include "InkStore.h"

#include <QObject>

class Tamsel;

// Keeps the lesson's ink on disk: saved soon after each change and when the
// program ends, and brought back from the page menu only when asked for.
class InkKeeping : public QObject
{
    Q_OBJECT
public:
    InkKeeping(Tamsel &window, const QString &folder);

    // The board the last run left, on the pages, one undoable step each; or the
    // line that says why not, where the menu was.
    void restoreLast();
    InkAutosave &autosave() { return m_autosave; }

private:
    Tamsel &m_window;
    InkStore m_store;
    InkAutosave m_autosave;
    // Said once when saving starts to fail, not at every stroke after.
    bool m_failing = false;
};
