#pragma once

#include "BoardChooser.h"
#include "InkAutosave.h"
#include "InkStore.h"
#include "Lesson.h"

#include <QFutureWatcher>
#include <QObject>

#include <optional>
#include <vector>

class Tamsel;

// Keeps the lesson's ink on disk: saved soon after each change and when the
// program ends, and brought back from the page menu only when asked for.
class InkKeeping : public QObject
{
    Q_OBJECT
public:
    InkKeeping(Tamsel &window, const QString &folder);
    ~InkKeeping() override;

    // The newest board of an earlier run, on the pages, one undoable step
    // each; or the line that says why not, where the menu was. Read and made
    // ready to draw on a worker, so a large board leaves the window answering
    // meanwhile.
    void restoreLast();
    // The page menu's restore: the earlier boards with their pages' thumbnails
    // to choose from, made on a worker; a single board comes back at once.
    void chooseBoard();
    InkAutosave &autosave() { return m_autosave; }

private:
    struct Loaded
    {
        core::Lesson::PreparedBoard board;
        core::InkFile::Problem problem = core::InkFile::Problem::None;
        core::InkFile::PageIds others;
    };
    static Loaded load(const InkStore &store, const QString &id);
    static std::vector<BoardChooser::Entry> list(const InkStore &store, const std::vector<core::PageView> &views);
    bool startLoading();
    void stopLoading();
    void restore(const QString &id);
    void offer();
    void putBack();

    Tamsel &m_window;
    InkStore m_store;
    InkAutosave m_autosave;
    QFutureWatcher<Loaded> m_restoring;
    QFutureWatcher<std::vector<BoardChooser::Entry>> m_listing;
    bool m_loading = false;
    // Said once when saving starts to fail, not at every stroke after.
    std::optional<InkAutosave::Failure> m_failing;
};
