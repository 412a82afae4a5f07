#include "InkKeeping.h"

#include "KeptBoards.h"
#include "PageMenu.h"
#include "Tamsel.h"

#include <QGuiApplication>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

InkKeeping::InkKeeping(Tamsel &window, const QString &folder)
    : QObject(&window), m_window(window), m_store(folder, window.pageCount()),
      m_autosave(m_store, [&window] { return window.lesson().board(); })
{
    connect(&window, &Tamsel::inkChanged, &m_autosave, &InkAutosave::noteChange);
    connect(window.pageMenu(), &PageMenu::restoreRequested, this, &InkKeeping::restoreLast);
    connect(&m_restoring, &QFutureWatcher<Loaded>::finished, this, &InkKeeping::putBack);
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

// The worker reads through this object's store, so it finishes first.
InkKeeping::~InkKeeping()
{
    if (!m_loading)
        return;
    m_restoring.waitForFinished();
    QGuiApplication::restoreOverrideCursor();
}

void InkKeeping::restoreLast()
{
    // Asked again while the board is still on its way: it comes once.
    if (m_loading)
        return;
    m_loading = true;
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    m_restoring.setFuture(QtConcurrent::run(&InkKeeping::load, std::cref(m_store)));
}

InkKeeping::Loaded InkKeeping::load(const InkStore &store)
{
    core::InkFile::Read last = store.loadLast();
    Loaded loaded{{}, last.problem};
    for (std::vector<core::Stroke> &page : last.board)
        loaded.board.push_back(core::InkLayer::prepare(std::move(page)));
    return loaded;
}

void InkKeeping::putBack()
{
    m_loading = false;
    QGuiApplication::restoreOverrideCursor();
    Loaded last = m_restoring.future().takeResult();
    const std::string refusal = core::KeptBoards::refusal(m_window.lesson(), last.problem, last.board);
    if (!refusal.empty()) {
        m_window.pageMenu()->notify(QString::fromStdString(refusal));
        return;
    }
    m_window.lesson().restoreBoard(std::move(last.board));
}
