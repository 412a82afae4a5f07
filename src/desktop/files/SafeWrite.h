#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class QSaveFile;

// Files written whole or not at all, through QSaveFile: the path holds the
// old file or the new one, never a mix, and a failure says why.
namespace SafeWrite {

// Ends a QSaveFile only once every byte reached the file. Qt 6.4's commit()
// ignores a failed flush, so on a full disk it would rename an empty temporary
// over the good file: the flush here is checked first. The system's reason
// when the bytes did not all reach the file; the file at the path is then the
// one that was there before.
std::optional<QString> commit(QSaveFile &file);
// The reason, when it could not.
std::optional<QString> bytes(const QString &path, const QByteArray &bytes);

} // namespace SafeWrite
