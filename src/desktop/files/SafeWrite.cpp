#include "SafeWrite.h"

#include <QFileInfo>
#include <QSaveFile>

namespace SafeWrite {

std::optional<QString> refusal(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return QStringLiteral("it is a symbolic link; name the file it leads to, or a new one");
    if (info.exists() && !info.isFile())
        return QStringLiteral("it is not a regular file; name a new one");
    return std::nullopt;
}

std::optional<QString> bytes(const QString &path, const QByteArray &bytes)
{
    if (const std::optional<QString> refused = refusal(path))
        return refused;
    QSaveFile file(path);
    // Buffered, a failed write would come back from the flush as "Unknown error".
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    // A disk with a little room takes part of a write and says nothing: the
    // rest, written again, brings the reason. Qt 6.4's commit() would
    // publish the short file, so nothing is committed before every byte is in.
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 wrote = file.write(bytes.constData() + done, bytes.size() - done);
        if (wrote <= 0) {
            const QString reason = file.error() != QFileDevice::NoError ? file.errorString()
                                                                         : QStringLiteral("the disk took no more bytes");
            file.cancelWriting();
            return reason;
        }
        done += wrote;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace SafeWrite
