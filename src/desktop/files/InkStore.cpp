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
} // namespace

InkStore::InkStore(QString folder, int pageCount)
    : m_folder(std::move(folder)), m_pageCount(pageCount), m_pages(pagesOf(pageCount)), m_savePath(currentPath())
{
}

QString InkStore::defaultFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }

QString InkStore::currentPath() const { return QDir(m_folder).filePath(kCurrentName); }
QString InkStore::previousPath() const { return QDir(m_folder).filePath(kPreviousName); }

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

// A run killed between setting aside and its first save left only the older file.
core::InkFile::Read InkStore::loadLast() const
{
    if (m_setAside && m_savePath == currentPath())
        return load(previousPath(), m_pageCount);
    core::InkFile::Read current = load(currentPath(), m_pageCount);
    if (current.problem != core::InkFile::Problem::Missing || m_setAside)
        return current;
    return load(previousPath(), m_pageCount);
}

void InkStore::setAsideLast()
{
    const QFileInfo current(currentPath());
    if (m_setAside.exchange(true) || (!current.exists() && !current.isSymLink()))
        return;
    m_others = core::InkFile::othersOf(load(currentPath(), m_pageCount), m_pages.ids.size());
    // A link is moved itself, even one that leads nowhere, so this run writes a
    // plain file; QFile will not move a link to nothing.
    std::error_code failed;
    std::filesystem::rename(QFile::encodeName(currentPath()).constData(),
                            QFile::encodeName(previousPath()).constData(), failed);
    if (!failed)
        return;
    m_savePath = QDir(m_folder).filePath(
        QStringLiteral("board-%1.ink").arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"))));
    qWarning("tamsel: the last run's ink stays in %s, as %s cannot take it (%s); this run's goes to %s",
             qPrintable(currentPath()), qPrintable(previousPath()), failed.message().c_str(), qPrintable(m_savePath));
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
