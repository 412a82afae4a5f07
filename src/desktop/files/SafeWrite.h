#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Files written whole or not at all, through QSaveFile: the path holds the
// old file or the new one, never a mix, and a failure says why.
namespace SafeWrite {

// Why nothing may be written at the path: only a regular file is replaced, or
// a new one made. A link would have its target replaced, a device turned into
// a file.
std::optional<QString> refusal(const QString &path);
// Every byte, or the reason why not; the file at the path is then the one
// that was there before.
std::optional<QString> bytes(const QString &path, const QByteArray &bytes);

} // namespace SafeWrite
