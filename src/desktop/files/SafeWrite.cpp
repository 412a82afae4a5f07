#include "SafeWrite.h"

#include <QSaveFile>

namespace SafeWrite {

std::optional<QString> commit(QSaveFile &file)
{
    // Cancelling replaces the reason with its own, so it is taken first.
    if (file.error() != QFileDevice::NoError || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

std::optional<QString> bytes(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    file.write(bytes);
    return commit(file);
}

} // namespace SafeWrite
