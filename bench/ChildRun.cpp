#include "ChildRun.h"

#include "Harness.h"

#include <QCoreApplication>
#include <QProcess>

namespace Bench {

namespace {
constexpr int kChildTimeoutMs = 30000;
}

std::optional<ChildReport> runChild(const QStringList &args, const QString &platform, qsizetype minFields)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const auto start = Clock::now();
    child.start(QCoreApplication::applicationFilePath(), args);
    while (!child.canReadLine() && child.waitForReadyRead(kChildTimeoutMs)) {
    }
    const double wallMs = msSince(start);
    const QByteArrayList fields = child.readLine().trimmed().split(' ');
    if (!child.waitForFinished(kChildTimeoutMs)) {
        child.kill();
        child.waitForFinished();
    }
    const QString what = args.join(' ') + QStringLiteral(" under ") + platform;
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        fail(what + QStringLiteral(" did not exit cleanly"));
    if (fields.size() < minFields) {
        fail(what + QStringLiteral(" printed too little"));
        return std::nullopt;
    }
    return ChildReport{wallMs, fields};
}

QStringList platforms()
{
    QStringList list{QStringLiteral("offscreen")};
    if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        list << QStringLiteral("xcb");
    return list;
}

} // namespace Bench
