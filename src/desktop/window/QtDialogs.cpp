#include "QtDialogs.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace QtDialogs {

bool speakJapanese(QCoreApplication &app)
{
    auto *strings = new QTranslator(&app);
    if (!strings->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete strings;
        return false;
    }
    return app.installTranslator(strings);
}

} // namespace QtDialogs
