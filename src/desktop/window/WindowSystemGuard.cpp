#include "WindowSystemGuard.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace {

struct HeldMessage
{
    QtMsgType type;
    QByteArray file, function, category;
    int line;
    QString text;
};

std::mutex held;
std::vector<HeldMessage> messages;
QtMessageHandler previous = nullptr;
bool guarding = false;

const char *orNull(const QByteArray &bytes) { return bytes.isNull() ? nullptr : bytes.constData(); }

QByteArray noWindowSystemLine()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray display = qgetenv("DISPLAY");
    const QByteArray startIt = ". Start it from a desktop session, ";
    if (!platform.isEmpty() && !platform.startsWith("xcb"))
        return "tamsel: cannot open a window with QT_QPA_PLATFORM=" + platform + startIt + "or unset QT_QPA_PLATFORM";
    const QByteArray nameOne = startIt + "or name a running X server, e.g. DISPLAY=:0 tamsel";
    if (display.isEmpty())
        return "tamsel: no display to open the window on: DISPLAY is not set" + nameOne;
    return "tamsel: cannot connect to the display \"" + display + "\" that DISPLAY names" + nameOne;
}

} // namespace

WindowSystemGuard::WindowSystemGuard()
{
    const std::lock_guard lock(held);
    guarding = true;
    previous = qInstallMessageHandler(&WindowSystemGuard::hold);
}

WindowSystemGuard::~WindowSystemGuard() { release(); }

void WindowSystemGuard::release()
{
    std::vector<HeldMessage> replay;
    {
        const std::lock_guard lock(held);
        if (!guarding)
            return;
        guarding = false;
        qInstallMessageHandler(previous);
        replay.swap(messages);
    }
    for (const HeldMessage &m : replay) {
        const QMessageLogContext context(orNull(m.file), m.line, orNull(m.function), orNull(m.category));
        if (previous)
            previous(m.type, context, m.text);
    }
}

// Qt ends in a fatal message when no platform plugin could open its window system.
void WindowSystemGuard::hold(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", noWindowSystemLine().constData());
        std::_Exit(kExitCode);
    }
    const std::lock_guard lock(held);
    messages.push_back({type, QByteArray(context.file), QByteArray(context.function), QByteArray(context.category),
                        context.line, text});
}
