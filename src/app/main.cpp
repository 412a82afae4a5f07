#include "Tamsel.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Tamsel window;
    window.show();
    return app.exec();
}
