#pragma once

#include "Timings.h"

#include "InkFile.h"

#include <QFutureWatcher>
#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

class InkStore;

// Saves the board soon after it changes: the strokes are copied on the caller's
// thread, which is quick, and encoded and written on a worker, so the pen never
// waits for the disk. One write runs at a time; a change during it is written
// next. Nothing is written while nothing changed.
class InkAutosave : public QObject
{
    Q_OBJECT
public:
    // The write takes a little time after the copy; starting here keeps the file
    // within 2 s of the first change it holds.
    static constexpr int kDelayMs = core::Timings::kAutosaveMs;

    using Snapshot = std::function<core::InkFile::Board()>;
    // A board too large for its file is kept as it last fitted, until it fits again.
    enum class Failure { TooLarge, NotWritten };
    Q_ENUM(Failure)
    InkAutosave(InkStore &store, Snapshot snapshot, QObject *parent = nullptr);
    ~InkAutosave() override;

    // Something changed: a save follows within the delay, however many more changes come.
    void noteChange();
    // Writes what is unsaved at once and waits for every write: when the window closes.
    void flush();

signals:
    void saved();
    void failed(InkAutosave::Failure failure, const QString &reason);

private:
    void saveChanges();
    void startWrite(core::InkFile::Board board);
    void writeFinished();
    struct Problem
    {
        Failure failure;
        QString reason;
    };
    void report(const std::optional<Problem> &problem);
    static std::optional<Problem> write(const InkStore &store, const core::InkFile::Board &board);

    InkStore &m_store;
    Snapshot m_snapshot;
    QTimer m_timer;
    QFutureWatcher<std::optional<Problem>> m_watcher;
    bool m_unsaved = false;
    std::optional<core::InkFile::Board> m_next;
};
