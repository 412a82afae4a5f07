#include "Tamsel.h"
#include "WindowSystemGuard.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    WindowSystemGuard guard;
    QApplication app(argc, argv);
    guard.release();
    // Lets desktops match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tamsel.Tamsel"));
    Tamsel window;
    window.show();
    return app.exec();
}
