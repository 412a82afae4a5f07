#include "InkAutosave.h"

#include "InkStore.h"

#include <QtConcurrent/QtConcurrentRun>

InkAutosave::InkAutosave(InkStore &store, Snapshot snapshot, QObject *parent)
    : QObject(parent), m_store(store), m_snapshot(std::move(snapshot))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(kDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &InkAutosave::saveChanges);
    connect(&m_watcher, &QFutureWatcher<std::optional<Problem>>::finished, this, &InkAutosave::writeFinished);
}

InkAutosave::~InkAutosave() { m_watcher.waitForFinished(); }

void InkAutosave::noteChange()
{
    m_unsaved = true;
    if (!m_timer.isActive())
        m_timer.start();
}

void InkAutosave::saveChanges()
{
    if (!m_unsaved)
        return;
    m_unsaved = false;
    core::InkFile::Board board = m_snapshot();
    if (m_watcher.isRunning())
        m_next = std::move(board);
    else
        startWrite(std::move(board));
}

void InkAutosave::startWrite(core::InkFile::Board board)
{
    m_store.setAsideLast();
    m_watcher.setFuture(QtConcurrent::run([&store = m_store, board = std::move(board)] { return write(store, board); }));
}

void InkAutosave::writeFinished()
{
    report(m_watcher.result());
    if (m_next) {
        startWrite(std::move(*m_next));
        m_next.reset();
    }
}

void InkAutosave::flush()
{
    m_timer.stop();
    m_watcher.waitForFinished();
    if (m_unsaved) {
        m_unsaved = false;
        m_next = m_snapshot();
    }
    if (!m_next)
        return;
    m_store.setAsideLast();
    const std::optional<Problem> problem = write(m_store, *m_next);
    m_next.reset();
    report(problem);
}

void InkAutosave::report(const std::optional<Problem> &problem)
{
    if (problem)
        emit failed(problem->failure, problem->reason);
    else
        emit saved();
}

std::optional<InkAutosave::Problem> InkAutosave::write(const InkStore &store, const core::InkFile::Board &board)
{
    const std::optional<core::InkFile::Bytes> bytes = store.encode(board);
    if (!bytes)
        return Problem{Failure::TooLarge, QStringLiteral("the board holds more ink than a file of %1 MiB")
                                              .arg(core::InkFile::kMaxBytes >> 20)};
    if (const std::optional<QString> reason = store.save(*bytes))
        return Problem{Failure::NotWritten, *reason};
    return std::nullopt;
}
