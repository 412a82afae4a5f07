#pragma once

class QCoreApplication;

// Qt's own dialogs (saving, printing, messages) in the program's language.
namespace QtDialogs {

// The program speaks Japanese whatever the system's locale; without this the
// file and print dialogs would greet a Japanese classroom in English. False
// when Qt's Japanese strings are not installed: the dialogs then stay in English.
bool speakJapanese(QCoreApplication &app);

} // namespace QtDialogs
