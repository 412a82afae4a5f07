#include "Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>

namespace {

// Ours holds a few short lines.
constexpr qint64 kMaxFileBytes = 64 * 1024;
// A process id, an application's name and a host name.
constexpr qint64 kMaxLockBytes = 4096;

// Reading a pipe or a device never ends, and Qt waits for a lock it can
// neither read nor remove: only plain files, or nothing, may stand there.
std::optional<QString> notPlain(const QString &path, qint64 maxBytes, bool linkAllowed)
{
    const QFileInfo info(path);
    if (info.isSymLink() && !linkAllowed)
        return QStringLiteral("%1 is a link").arg(path);
    if (!info.exists())
        return std::nullopt;
    if (!info.isFile())
        return QStringLiteral("%1 is not a plain file").arg(path);
    if (info.size() > maxBytes)
        return QStringLiteral("%1 is larger than %2 bytes").arg(path).arg(maxBytes);
    return std::nullopt;
}

// QSettings writes under a lock it waits for without end, and a lock it
// cannot read it calls stale only after 30 s; this lock is tried once.
std::optional<QString> whyNotWritable(const QString &path)
{
    const QString lock = path + QStringLiteral(".lock");
    std::optional<QString> why = notPlain(path, kMaxFileBytes, true);
    for (const QString &file : {lock, lock + QStringLiteral(".rmlock")})
        why = why ? why : notPlain(file, kMaxLockBytes, false);
    if (why || !QFileInfo::exists(lock))
        return why;
    QLockFile probe(lock);
    if (!probe.tryLock(0))
        return QStringLiteral("%1 is held by another program, or is not a lock").arg(lock);
    return std::nullopt;
}

} // namespace

Settings::Settings(QSettings &store, int pageCount) : m_path(store.fileName()), m_store(&store), m_pageCount(pageCount)
{
}

Settings::Settings(const QString &path, int pageCount) : m_path(path), m_pageCount(pageCount)
{
    if (const std::optional<QString> why = notPlain(path, kMaxFileBytes, true)) {
        qWarning("tamsel: the settings are not read: %s", qPrintable(*why));
        return;
    }
    m_owned = std::make_unique<QSettings>(path, QSettings::IniFormat);
    m_store = m_owned.get();
}

Settings::~Settings() = default;

// Where QSettings puts an application's own file.
QString Settings::defaultPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .absoluteFilePath(QCoreApplication::organizationName() + QLatin1Char('/') +
                          QCoreApplication::applicationName() + QStringLiteral(".conf"));
}

core::StoredChoices::Choices Settings::read() const
{
    if (m_store && m_store->status() != QSettings::NoError)
        qWarning("tamsel: the settings in %s cannot be read; the design's are used", qPrintable(m_path));
    const bool readable = m_store && m_store->status() == QSettings::NoError;
    if (readable) {
        std::vector<std::string> keys;
        for (const QString &key : m_store->allKeys())
            keys.push_back(key.toStdString());
        QStringList unknown;
        for (const std::string &id : core::StoredChoices::unknownPages(keys))
            unknown << QString::fromStdString(id);
        if (!unknown.isEmpty())
            qWarning("tamsel: the settings name pages this version does not have (%s); their choices are kept",
                     qPrintable(unknown.join(QStringLiteral(", "))));
    }
    return core::StoredChoices::read(
        [&](const std::string &key) -> std::optional<std::string> {
            if (!readable)
                return std::nullopt;
            const QVariant value = m_store->value(QString::fromStdString(key));
            if (!value.isValid())
                return std::nullopt;
            return value.toString().toStdString();
        },
        m_pageCount);
}

std::optional<QString> Settings::text(const QString &key) const
{
    if (!m_store || m_store->status() != QSettings::NoError)
        return std::nullopt;
    const QVariant value = m_store->value(key);
    if (!value.isValid())
        return std::nullopt;
    return value.toString();
}

void Settings::write(const core::StoredChoices::Choices &choices)
{
    std::optional<QString> why = whyNotWritable(m_path);
    if (!why && !m_store)
        why = QStringLiteral("%1 could not be read at the start").arg(m_path);
    if (why) {
        qWarning("tamsel: the settings are not saved: %s", qPrintable(*why));
        return;
    }
    for (const auto &[key, value] : core::StoredChoices::write(choices))
        m_store->setValue(QString::fromStdString(key), QString::fromStdString(value));
    m_store->sync();
    if (m_store->status() == QSettings::AccessError)
        qWarning("tamsel: the settings are not saved: %s cannot be written", qPrintable(m_path));
}
