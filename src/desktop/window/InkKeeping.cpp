#include "InkKeeping.h"

#include "PageMenu.h"
#include "Tamsel.h"

#include <QCoreApplication>

#include <algorithm>

InkKeeping::InkKeeping(Tamsel &window, const QString &folder)
    : QObject(&window), m_window(window), m_store(folder, window.pageCount()),
      m_autosave(m_store, [&window] { return window.lesson().board(); })
{
    connect(&window, &Tamsel::inkChanged, &m_autosave, &InkAutosave::noteChange);
    connect(window.pageMenu(), &PageMenu::restoreRequested, this, &InkKeeping::restoreLast);
    connect(qApp, &QCoreApplication::aboutToQuit, &m_autosave, &InkAutosave::flush);
    // The teacher must know that a crash would now lose the board; the reason
    // is for whoever looks after the machine.
    connect(&m_autosave, &InkAutosave::failed, this, [this](const QString &reason) {
        qWarning("tamsel: the ink could not be saved: %s", qPrintable(reason));
        if (!m_failing)
            m_window.pageMenu()->notify(QStringLiteral(
                "書き込みを自動で保存できません。ディスクの空きと書き込みの権限を確かめてください。"));
        m_failing = true;
    });
    connect(&m_autosave, &InkAutosave::saved, this, [this] { m_failing = false; });
}

void InkKeeping::restoreLast()
{
    core::InkFile::Read last = m_store.loadLast();
    const bool empty = std::all_of(last.board.begin(), last.board.end(), [](const auto &page) { return page.empty(); });
    if (last.problem == core::InkFile::Problem::None && empty)
        last.problem = core::InkFile::Problem::Missing;
    if (last.problem != core::InkFile::Problem::None) {
        m_window.pageMenu()->notify(QString::fromStdString(core::InkFile::message(last.problem)));
        return;
    }
    m_window.lesson().restoreBoard(std::move(last.board));
}
