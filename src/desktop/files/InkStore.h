#pragma once

#include "InkFile.h"
#include "KeptBoards.h"

#include <QDateTime>
#include <QString>

#include <atomic>
#include <optional>
#include <vector>

// Where the boards of the last several runs are kept, one file each, beside
// the file this run writes. The last run's board.ink is set aside under a
// name of its own before this run first writes, so a new board never replaces
// an old one; core::KeptBoards says which stay and which are offered.
class InkStore
{
public:
    // Boards of the lesson's first `pageCount` pages.
    explicit InkStore(QString folder, int pageCount);
    // The user's data folder (on Linux ~/.local/share/Tamsel/Tamsel).
    static QString defaultFolder();

    QString currentPath() const;
    // Where runs before boards were kept set the last one aside; still read.
    QString previousPath() const;

    // A board file as the core reads it; a pipe, a device or an unreadable
    // file is refused without reading from it.
    static core::InkFile::Read load(const QString &path, int pageCount);
    // The pages' ids, as the board is written with them.
    const core::InkFile::Pages &pages() const { return m_pages; }
    // Every board in the folder, ids being file names, times their last change.
    std::vector<core::KeptBoards::Board> boards() const;
    // The boards the teacher may bring back, newest first.
    std::vector<core::KeptBoards::Board> offers() const;
    core::InkFile::Read loadBoard(const QString &id) const;
    // The newest board offered, whatever its name.
    core::InkFile::Read loadLast() const;
    // Called before this run's first save; later calls do nothing. Where the
    // last run's board cannot be set aside, this run's is saved under another
    // name. Boards beyond the bounds are let go then.
    void setAsideLast();
    // From any thread, one save at a time. The reason, when it could not.
    std::optional<QString> save(const core::InkFile::Bytes &bytes) const;
    // A board as this run saves it: with the pages of a later program that
    // the last run's file held, which this one cannot show but keeps.
    std::optional<core::InkFile::Bytes> encode(core::InkFile::Board board) const;

private:
    QString pathOf(const QString &id) const;
    // A name no file has yet, for a board of that time.
    QString freshPath(const QDateTime &at) const;
    void letGo() const;

    QString m_folder;
    int m_pageCount;
    core::InkFile::Pages m_pages;
    // Written before the first save starts, read by the saves.
    QString m_savePath;
    std::pair<core::InkFile::PageIds, core::InkFile::Board> m_others;
    std::atomic<bool> m_setAside = false;
};
