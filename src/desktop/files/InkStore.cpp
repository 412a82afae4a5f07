#include "InkStore.h"

#include "SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
const QString kCurrentName = QStringLiteral("board.ink");
const QString kPreviousName = QStringLiteral("board-previous.ink");

core::InkFile::Read refused(core::InkFile::Problem problem) { return {{}, problem}; }
} // namespace

InkStore::InkStore(QString folder, int pageCount) : m_folder(std::move(folder)), m_pageCount(pageCount) {}

QString InkStore::defaultFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }

QString InkStore::currentPath() const { return QDir(m_folder).filePath(kCurrentName); }
QString InkStore::previousPath() const { return QDir(m_folder).filePath(kPreviousName); }

core::InkFile::Read InkStore::load(const QString &path, int pageCount)
{
    using Problem = core::InkFile::Problem;
    const QFileInfo info(path);
    if (!info.exists())
        return refused(Problem::Missing);
    // A pipe or a device could block or never end.
    if (!info.isFile())
        return refused(Problem::Unreadable);
    if (info.size() > core::InkFile::kMaxBytes)
        return refused(Problem::TooLarge);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(Problem::Unreadable);
    const QByteArray bytes = file.read(core::InkFile::kMaxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return refused(Problem::Unreadable);
    return core::InkFile::decode(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size()),
                                 pageCount);
}

// A run killed between setting aside and its first save left only the older file.
core::InkFile::Read InkStore::loadLast() const
{
    if (!m_setAside) {
        core::InkFile::Read current = load(currentPath(), m_pageCount);
        if (current.problem != core::InkFile::Problem::Missing)
            return current;
    }
    return load(previousPath(), m_pageCount);
}

void InkStore::setAsideLast()
{
    if (m_setAside.exchange(true) || !QFile::exists(currentPath()))
        return;
    QFile::remove(previousPath());
    QFile::rename(currentPath(), previousPath());
}

std::optional<QString> InkStore::save(const core::InkFile::Bytes &bytes) const
{
    if (!QDir().mkpath(m_folder))
        return QStringLiteral("cannot make the folder %1").arg(m_folder);
    return SafeWrite::bytes(currentPath(), QByteArray::fromRawData(reinterpret_cast<const char *>(bytes.data()),
                                                                   qsizetype(bytes.size())));
}
