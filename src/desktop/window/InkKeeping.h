#pragma once

#include "InkAutosave.h"
#include "InkStore.h"
#include "Lesson.h"

#include <QFutureWatcher>
#include <QObject>

#include <optional>

class Tamsel;

// Keeps the lesson's ink on disk: saved soon after each change and when the
// program ends, and brought back from the page menu only when asked for.
class InkKeeping : public QObject
{
    Q_OBJECT
public:
    InkKeeping(Tamsel &window, const QString &folder);
    ~InkKeeping() override;

    // The board the last run left, on the pages, one undoable step each; or the
    // line that says why not, where the menu was. Read and made ready to draw
    // on a worker, so a large board leaves the window answering meanwhile.
    void restoreLast();
    InkAutosave &autosave() { return m_autosave; }

private:
    struct Loaded
    {
        core::Lesson::PreparedBoard board;
        core::InkFile::Problem problem = core::InkFile::Problem::None;
        core::InkFile::PageIds others;
    };
    static Loaded load(const InkStore &store);
    void putBack();

    Tamsel &m_window;
    InkStore m_store;
    InkAutosave m_autosave;
    QFutureWatcher<Loaded> m_restoring;
    bool m_loading = false;
    // Said once when saving starts to fail, not at every stroke after.
    std::optional<InkAutosave::Failure> m_failing;
};
