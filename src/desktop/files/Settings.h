#pragma once

#include "StoredChoices.h"

#include <QString>

#include <memory>
#include <optional>

class QSettings;

// The choices kept between runs in QSettings, read and checked by the core's
// rules. The store is untrusted: a value missing, of the wrong type or out of
// range, or a store that cannot be read, gives the design default. A file or
// lock that would make Qt wait (a pipe, a folder, a lock it cannot take at
// once) is skipped with one line on standard error.
class Settings
{
public:
    Settings(QSettings &store, int pageCount);
    // The settings kept in the file at path, left unread if reading could wait.
    Settings(const QString &path, int pageCount);
    ~Settings();
    // On Linux ~/.config/Tamsel/Tamsel.conf, from the application's names.
    static QString defaultPath();

    core::StoredChoices::Choices read() const;
    // A text kept under key; none when the store cannot be read or holds no such key.
    std::optional<QString> text(const QString &key) const;
    // Written at once, so a machine switched off keeps them.
    void write(const core::StoredChoices::Choices &choices);

private:
    QString m_path;
    std::unique_ptr<QSettings> m_owned;
    QSettings *m_store = nullptr;
    int m_pageCount;
};
