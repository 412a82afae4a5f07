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
    // Boards of the lesson's first `pageCount` pages.
    explicit InkStore(QString folder, int pageCount);
    // The user's data folder (on Linux ~/.local/share/Tamsel/Tamsel).
    static QString defaultFolder();

    QString currentPath() const;
    QString previousPath() const;

    // A board file as the core reads it; a pipe, a device or an unreadable
    // file is refused without reading from it.
    static core::InkFile::Read load(const QString &path, int pageCount);
    // The pages' ids, as the board is written with them.
    const core::InkFile::Pages &pages() const { return m_pages; }
    // The board as the last run left it.
    core::InkFile::Read loadLast() const;
    // Called before this run's first save; later calls do nothing. Where the
    // last run's board cannot be set aside, this run's is saved under another name.
    void setAsideLast();
    // From any thread, one save at a time. The reason, when it could not.
    std::optional<QString> save(const core::InkFile::Bytes &bytes) const;
    // A board as this run saves it: with the pages of a later program that
    // the last run's file held, which this one cannot show but keeps.
    std::optional<core::InkFile::Bytes> encode(core::InkFile::Board board) const;

private:
    QString m_folder;
    int m_pageCount;
    core::InkFile::Pages m_pages;
    // Written before the first save starts, read by the saves.
    QString m_savePath;
    std::pair<core::InkFile::PageIds, core::InkFile::Board> m_others;
    std::atomic<bool> m_setAside = false;
};
