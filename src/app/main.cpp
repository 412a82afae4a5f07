#include "Settings.h"
#include "Tamsel.h"
#include "WindowSystemGuard.h"

#include <QApplication>
#include <QSettings>

int main(int argc, char *argv[])
{
    WindowSystemGuard guard;
    QApplication app(argc, argv);
    guard.release();
    // Lets desktops match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tamsel.Tamsel"));
    // Names the settings' place: ~/.config/Tamsel/Tamsel.conf on Linux.
    QCoreApplication::setOrganizationName(QStringLiteral("Tamsel"));
    QCoreApplication::setApplicationName(QStringLiteral("Tamsel"));

    QSettings store;
    Settings settings(store, Tamsel::kPageCount);
    Tamsel window;
    window.restoreChoices(settings.read());
    QObject::connect(&window, &Tamsel::choicesChanged, [&] { settings.write(window.choices()); });
    window.show();
    return app.exec();
}
