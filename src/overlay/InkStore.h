#pragma once

#include "InkFile.h"

#include <QString>

#include <atomic>
#include <optional>

// Where the board is kept between runs: the file this run writes, and beside it
// the one the run before left, set aside before this run first writes, so it
// can still be restored after something new was drawn.
class InkStore
{
public:
    explicit InkStore(QString folder);
    // The user's data folder (on Linux ~/.local/share/Tamsel/Tamsel).
    static QString defaultFolder();

    QString currentPath() const;
    QString previousPath() const;

    // The board as the last run left it.
    InkFile::Read loadLast() const;
    // Called before this run's first save; later calls do nothing.
    void setAsideLast();
    // From any thread, one save at a time.
    std::optional<QString> save(const QByteArray &bytes) const;

private:
    QString m_folder;
    std::atomic<bool> m_setAside = false;
};
