#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Files written whole or not at all, through QSaveFile: the path holds the
// old file or the new one, never a mix.
namespace SafeWrite {

// The reason, when it could not.
std::optional<QString> bytes(const QString &path, const QByteArray &bytes);

} // namespace SafeWrite
