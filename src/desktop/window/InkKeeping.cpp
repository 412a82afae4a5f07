#include "InkKeeping.h"

#include "KeptBoards.h"
#include "PageExport.h"
#include "PageMenu.h"
#include "PageRenderer.h"
#include "Tamsel.h"

#include <QGuiApplication>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>


InkKeeping::InkKeeping(Tamsel &window, const QString &folder)
    : QObject(&window), m_window(window), m_store(folder, window.pageCount()),
      m_autosave(m_store, [&window] { return window.lesson().board(); })
{
    connect(&window, &Tamsel::inkChanged, &m_autosave, &InkAutosave::noteChange);
    connect(window.pageMenu(), &PageMenu::restoreRequested, this, &InkKeeping::chooseBoard);
    connect(&m_restoring, &QFutureWatcher<Loaded>::finished, this, &InkKeeping::putBack);
    connect(&m_listing, &QFutureWatcher<std::vector<BoardChooser::Entry>>::finished, this, &InkKeeping::offer);
    connect(qApp, &QCoreApplication::aboutToQuit, &m_autosave, &InkAutosave::flush);
    // The teacher must know that a crash would now lose the board; the reason
    // is for whoever looks after the machine.
    connect(&m_autosave, &InkAutosave::failed, this, [this](InkAutosave::Failure failure, const QString &reason) {
        qWarning("tamsel: the ink could not be saved: %s", qPrintable(reason));
        if (m_failing != failure)
            m_window.pageMenu()->notify(
                failure == InkAutosave::Failure::TooLarge
                    ? QStringLiteral("書き込みが多すぎるため、これ以上は自動で保存できません。"
                                     "いくつか消すと、また保存します。")
                    : QStringLiteral("書き込みを自動で保存できません。ディスクの空きと書き込みの権限を確かめてください。"));
        m_failing = failure;
    });
    connect(&m_autosave, &InkAutosave::saved, this, [this] { m_failing.reset(); });
}

// The workers read through this object's store, so they finish first.
InkKeeping::~InkKeeping()
{
    if (!m_loading)
        return;
    m_restoring.waitForFinished();
    m_listing.waitForFinished();
    QGuiApplication::restoreOverrideCursor();
}

// Asked again while a board or the list is still on its way: it comes once.
bool InkKeeping::startLoading()
{
    if (m_loading)
        return false;
    m_loading = true;
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    return true;
}

void InkKeeping::stopLoading()
{
    m_loading = false;
    QGuiApplication::restoreOverrideCursor();
}

void InkKeeping::restoreLast() { restore({}); }

void InkKeeping::restore(const QString &id)
{
    if (startLoading())
        m_restoring.setFuture(QtConcurrent::run(&InkKeeping::load, std::cref(m_store), id));
}

void InkKeeping::chooseBoard()
{
    if (!startLoading())
        return;
    // The figures as the lesson shows them now, the aids aside: small, they would only blur.
    std::vector<core::PageView> views;
    for (int page = 0; page < m_window.pageCount(); ++page) {
        views.push_back(m_window.lesson().view(page, core::PageRenderer::kDesignInner));
        views.back().aids = false;
    }
    m_listing.setFuture(QtConcurrent::run(&InkKeeping::list, std::cref(m_store), views));
}

std::vector<BoardChooser::Entry> InkKeeping::list(const InkStore &store, const std::vector<core::PageView> &views)
{
    std::vector<BoardChooser::Entry> entries;
    for (const core::KeptBoards::Board &kept : store.offers()) {
        BoardChooser::Entry entry{QString::fromStdString(kept.id), {}, {}};
        if (kept.savedAtMs > 0)
            entry.savedAt = QDateTime::fromMSecsSinceEpoch(kept.savedAtMs);
        const core::InkFile::Read read = store.loadBoard(entry.id);
        for (std::size_t page = 0; page < read.board.size() && page < views.size(); ++page) {
            if (read.board[page].empty())
                continue;
            const core::Size size = core::KeptBoards::thumbnailSize(views[page].inner);
            entry.pages.push_back(PageExport::image(views[page], read.board[page])
                                      .scaled(size.width(), size.height(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

// With one board or none there is nothing to choose: it comes back, or the
// line says why not.
void InkKeeping::offer()
{
    stopLoading();
    const std::vector<BoardChooser::Entry> entries = m_listing.future().takeResult();
    if (entries.size() <= 1) {
        restore(entries.empty() ? QString() : entries.front().id);
        return;
    }
    auto *chooser = new BoardChooser(entries, &m_window);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    connect(chooser, &QDialog::finished, this, [this, chooser](int answer) {
        // Without a window manager nobody gives the keyboard back.
        QTimer::singleShot(0, &m_window, [window = &m_window] {
            window->activateWindow();
            window->setFocus(Qt::OtherFocusReason);
        });
        if (answer == QDialog::Accepted && !chooser->chosen().isEmpty())
            restore(chooser->chosen());
    });
    chooser->open();
}

InkKeeping::Loaded InkKeeping::load(const InkStore &store, const QString &id)
{
    core::InkFile::Read last = id.isEmpty() ? store.loadLast() : store.loadBoard(id);
    Loaded loaded{{}, last.problem, last.others};
    for (std::vector<core::Stroke> &page : last.board)
        loaded.board.push_back(core::InkLayer::prepare(std::move(page)));
    return loaded;
}

void InkKeeping::putBack()
{
    stopLoading();
    Loaded last = m_restoring.future().takeResult();
    const std::string refusal = core::KeptBoards::refusal(m_window.lesson(), last.problem, last.board);
    if (!refusal.empty()) {
        m_window.pageMenu()->notify(QString::fromStdString(refusal));
        return;
    }
    m_window.lesson().restoreBoard(std::move(last.board));
    if (!last.others.empty())
        m_window.pageMenu()->notify(QString::fromStdString(core::InkFile::othersMessage(last.others)));
}
