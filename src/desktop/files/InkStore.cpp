#include "InkStore.h"

#include "PageTable.h"
#include "SafeWrite.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <filesystem>

namespace {
const QString kCurrentName = QStringLiteral("board.ink");
const QString kPreviousName = QStringLiteral("board-previous.ink");
const QString kBoardPattern = QStringLiteral("board*.ink");
const QString kTimeFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");

core::InkFile::Read refused(core::InkFile::Problem problem, int pageCount)
{
    return {core::InkFile::Board(std::size_t(std::max(0, pageCount))), problem, {}};
}

core::InkFile::Pages pagesOf(int pageCount)
{
    core::InkFile::Pages pages = core::PageTable::inkPages();
    pages.ids.resize(std::size_t(std::clamp(pageCount, 0, int(pages.ids.size()))));
    return pages;
}

std::filesystem::path native(const QString &path) { return QFile::encodeName(path).constData(); }

// The most a board with no strokes takes: the most pages, each with the longest id.
std::int64_t largestEmptyBoard()
{
    static const std::int64_t bytes = core::InkFile::emptyBoardBytes(core::InkFile::PageIds(
        std::size_t(core::KeptBoards::kMaxPages), std::string(core::InkFile::kMaxIdBytes, 'p')));
    return bytes;
}

// Only a board that reads as one with no strokes counts as none: anything
// else is offered, and a damaged one says so on restore.
bool holdsInk(const QFileInfo &info, int pageCount)
{
    if (!info.isFile() || info.size() > largestEmptyBoard())
        return true;
    const core::InkFile::Read read = InkStore::load(info.filePath(), pageCount);
    return read.problem != core::InkFile::Problem::None || core::KeptBoards::hasInk(read.board);
}
} // namespace

InkStore::InkStore(QString folder, int pageCount)
    : m_folder(std::move(folder)), m_pageCount(pageCount), m_pages(pagesOf(pageCount)), m_savePath(currentPath())
{
}

QString InkStore::defaultFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }

QString InkStore::currentPath() const { return QDir(m_folder).filePath(kCurrentName); }
QString InkStore::previousPath() const { return QDir(m_folder).filePath(kPreviousName); }
QString InkStore::pathOf(const QString &id) const { return QDir(m_folder).filePath(id); }

core::InkFile::Read InkStore::load(const QString &path, int pageCount)
{
    using Problem = core::InkFile::Problem;
    const QFileInfo info(path);
    // A link to nowhere, or round in a loop, stands for a file that cannot be read.
    if (!info.exists())
        return refused(info.isSymLink() ? Problem::Unreadable : Problem::Missing, pageCount);
    // A pipe or a device could block or never end.
    if (!info.isFile())
        return refused(Problem::Unreadable, pageCount);
    if (info.size() > core::InkFile::kMaxBytes)
        return refused(Problem::TooLarge, pageCount);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(Problem::Unreadable, pageCount);
    const QByteArray bytes = file.read(core::InkFile::kMaxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return refused(Problem::Unreadable, pageCount);
    return core::InkFile::decode(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size()),
                                 pagesOf(pageCount));
}

std::vector<core::KeptBoards::Board> InkStore::boards() const
{
    using Board = core::KeptBoards::Board;
    std::vector<Board> out;
    const QFileInfoList found = QDir(m_folder).entryInfoList({kBoardPattern}, QDir::Files | QDir::System, QDir::Name);
    const std::int64_t most = core::InkFile::kMaxBytes;
    for (const QFileInfo &info : found) {
        // A folder or a pipe in a board's name is no board.
        if (!info.isFile() && !info.isSymLink())
            continue;
        const QDateTime changed = info.lastModified();
        Board board{info.fileName().toStdString(),
                    changed.isValid() ? std::clamp<std::int64_t>(changed.toMSecsSinceEpoch(), 0,
                                                                 core::KeptBoards::kLatestMs)
                                      : 0,
                    std::clamp<std::int64_t>(info.size(), 0, most), holdsInk(info, m_pageCount)};
        board.thisVisit = m_setAside && info.filePath() == m_savePath;
        // Until set aside, the last run's board.ink would be written over: it is never let go.
        board.keptApart = m_setAside || info.fileName() != kCurrentName;
        if (core::KeptBoards::plausible(board))
            out.push_back(std::move(board));
    }
    // The file being written is the newest of boards of the same time.
    std::stable_partition(out.begin(), out.end(), [](const Board &b) { return b.id == kCurrentName.toStdString(); });
    return out;
}

std::vector<core::KeptBoards::Board> InkStore::offers() const { return core::KeptBoards::offers(boards()); }

core::InkFile::Read InkStore::loadBoard(const QString &id) const
{
    // Only a name the folder listed: no path from elsewhere.
    if (id.contains(QLatin1Char('/')) || id.contains(QLatin1Char('\\')) || !QDir::match(kBoardPattern, id))
        return refused(core::InkFile::Problem::Missing, m_pageCount);
    return load(pathOf(id), m_pageCount);
}

core::InkFile::Read InkStore::loadLast() const
{
    const std::vector<core::KeptBoards::Board> offered = offers();
    if (offered.empty())
        return refused(core::InkFile::Problem::Missing, m_pageCount);
    return loadBoard(QString::fromStdString(offered.front().id));
}

QString InkStore::freshPath(const QDateTime &at) const
{
    const QString stem = QStringLiteral("board-") + at.toString(kTimeFormat);
    QString path = pathOf(stem + QStringLiteral(".ink"));
    std::error_code ignored;
    for (int n = 1; std::filesystem::exists(std::filesystem::symlink_status(native(path), ignored)); ++n)
        path = pathOf(QStringLiteral("%1-%2.ink").arg(stem).arg(n));
    return path;
}

void InkStore::setAsideLast()
{
    if (m_setAside.exchange(true))
        return;
    const QFileInfo current(currentPath());
    if (current.exists() || current.isSymLink()) {
        // Its pages of a later program are written again with this run's board.
        m_others = core::InkFile::othersOf(load(currentPath(), m_pageCount), m_pages.ids.size());
        // A link is moved itself, even one that leads nowhere, so this run
        // writes a plain file; QFile will not move a link to nothing.
        const QDateTime at = current.lastModified().isValid() ? current.lastModified() : QDateTime::currentDateTime();
        const QString aside = freshPath(at);
        std::error_code failed;
        std::filesystem::rename(native(currentPath()), native(aside), failed);
        if (failed) {
            m_savePath = freshPath(QDateTime::currentDateTime());
            qWarning("tamsel: the last run's ink stays in %s, as it cannot be moved to %s (%s); this run's goes to %s",
                     qPrintable(currentPath()), qPrintable(aside), failed.message().c_str(), qPrintable(m_savePath));
        }
    }
    letGo();
}

void InkStore::letGo() const
{
    for (const std::string &id : core::KeptBoards::toDrop(boards()))
        QFile::remove(pathOf(QString::fromStdString(id)));
}

std::optional<core::InkFile::Bytes> InkStore::encode(core::InkFile::Board board) const
{
    core::InkFile::PageIds ids = m_pages.ids;
    ids.insert(ids.end(), m_others.first.begin(), m_others.first.end());
    board.insert(board.end(), m_others.second.begin(), m_others.second.end());
    return core::InkFile::encode(board, ids);
}

std::optional<QString> InkStore::save(const core::InkFile::Bytes &bytes) const
{
    if (!QDir().mkpath(m_folder))
        return QStringLiteral("cannot make the folder %1").arg(m_folder);
    return SafeWrite::bytes(m_savePath, QByteArray::fromRawData(reinterpret_cast<const char *>(bytes.data()),
                                                                   qsizetype(bytes.size())));
}
