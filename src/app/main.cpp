#include "Tamsel.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Lets desktops match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tamsel.Tamsel"));
    Tamsel window;
    window.show();
    return app.exec();
}
