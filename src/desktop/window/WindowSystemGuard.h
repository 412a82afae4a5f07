#pragma once

#include <QtGlobal>

// Watches Qt's messages while the application opens the window system. If
// that fails (no display, a display that does not answer), the program says
// so in one line of its own and exits, instead of Qt's abort and its advice to
// reinstall; otherwise Qt's messages pass on as they came.
class WindowSystemGuard
{
public:
    static constexpr int kExitCode = 2;

    WindowSystemGuard();
    ~WindowSystemGuard();
    WindowSystemGuard(const WindowSystemGuard &) = delete;
    WindowSystemGuard &operator=(const WindowSystemGuard &) = delete;

    // Call once the application exists.
    void release();

private:
    static void hold(QtMsgType type, const QMessageLogContext &context, const QString &text);
};
