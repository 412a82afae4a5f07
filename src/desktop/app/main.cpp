#include "ClassDialogs.h"
#include "CommandLine.h"
#include "InkKeeping.h"
#include "QtDialogs.h"
#include "Settings.h"
#include "Tamsel.h"
#include "WindowSystemGuard.h"
#include "Workers.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Names the places of the settings and the ink: on Linux ~/.config/Tamsel/Tamsel.conf
    // and ~/.local/share/Tamsel/Tamsel.
    QCoreApplication::setOrganizationName(QStringLiteral("Tamsel"));
    QCoreApplication::setApplicationName(QStringLiteral("Tamsel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TAMSEL_VERSION));
    Workers::install();
    if (CommandLine::wanted(argc, argv))
        return CommandLine::run(argc, argv);

    WindowSystemGuard guard;
    QApplication app(argc, argv);
    guard.release();
    if (!QtDialogs::speakJapanese(app))
        qWarning("Qt's Japanese strings (qtbase_ja.qm) are missing: the save and print dialogs will be in English.");
    // Lets desktops match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tamsel.Tamsel"));

    Tamsel window;
    Settings settings(Settings::defaultPath(), window.pageCount());
    window.lesson().restoreChoices(settings.read());
    QObject::connect(&window, &Tamsel::choicesChanged, [&] { settings.write(window.lesson().choices()); });
    new InkKeeping(window, InkStore::defaultFolder());
    new ClassDialogs(window, settings);
    window.show();
    window.showFirstStartHint();
    return app.exec();
}
