#pragma once

#include <QByteArrayList>
#include <QStringList>

#include <optional>

// Start-up and idle are measured in a child process of this executable, so
// each begins from a fresh process.
namespace Bench {

struct ChildReport
{
    double wallMs = 0;
    QByteArrayList fields;
};

// Runs this executable in a child mode and returns the one line it prints,
// split into fields, with the wall time until that line arrived.
std::optional<ChildReport> runChild(const QStringList &args, const QString &platform, qsizetype minFields);

// Offscreen always; xcb too when DISPLAY names an X server.
QStringList platforms();

} // namespace Bench
