#include "QtDialogs.h"

#include "MissingQtStrings.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace QtDialogs {

bool speakJapanese(QCoreApplication &app)
{
    // Installed first, so Qt's own strings are asked before it.
    app.installTranslator(new MissingQtStrings(&app));
    auto *strings = new QTranslator(&app);
    if (!strings->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete strings;
        return false;
    }
    return app.installTranslator(strings);
}

} // namespace QtDialogs
