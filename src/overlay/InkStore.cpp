#include "InkStore.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {
const QString kCurrentName = QStringLiteral("board.ink");
const QString kPreviousName = QStringLiteral("board-previous.ink");
} // namespace

InkStore::InkStore(QString folder) : m_folder(std::move(folder)) {}

QString InkStore::defaultFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }

QString InkStore::currentPath() const { return QDir(m_folder).filePath(kCurrentName); }
QString InkStore::previousPath() const { return QDir(m_folder).filePath(kPreviousName); }

// A run killed between setting aside and its first save left only the older file.
InkFile::Read InkStore::loadLast() const
{
    if (!m_setAside) {
        InkFile::Read current = InkFile::load(currentPath());
        if (current.problem != InkFile::Problem::Missing)
            return current;
    }
    return InkFile::load(previousPath());
}

void InkStore::setAsideLast()
{
    if (m_setAside.exchange(true) || !QFile::exists(currentPath()))
        return;
    QFile::remove(previousPath());
    QFile::rename(currentPath(), previousPath());
}

std::optional<QString> InkStore::save(const QByteArray &bytes) const
{
    if (!QDir().mkpath(m_folder))
        return QStringLiteral("cannot make the folder %1").arg(m_folder);
    return InkFile::save(currentPath(), bytes);
}
